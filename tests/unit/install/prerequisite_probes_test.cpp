#include "install/prerequisite_probes.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

namespace keys = prerequisite_keys;
constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr auto kHkcu = RegistryRoot::kCurrentUser;

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

struct Probes : testing::Test {
  MemoryRegistry registry;
  bool Present(std::u16string_view name) { return IsPrerequisiteSatisfied(name, registry); }
  void Raw(RegistryRoot root, std::u16string_view key, std::u16string_view name,
           std::vector<uint8_t> data) {
    registry.PutValue(root, key, name, {1, std::move(data)});
  }
  void Runtime(uint32_t major, uint32_t minor, uint32_t build) {
    registry.PutNumber(kHklm, keys::kVcRuntime, u"Major", major);
    registry.PutNumber(kHklm, keys::kVcRuntime, u"Minor", minor);
    registry.PutNumber(kHklm, keys::kVcRuntime, u"Bld", build);
  }
};

TEST_F(Probes, WebView2CountsFromEitherKeyUnlessZeroVersion) {
  EXPECT_FALSE(Present(u"webview2.exe"));
  registry.PutString(kHklm, keys::kWebView2Machine, u"pv", u"0.0.0.0");
  registry.PutString(kHkcu, keys::kWebView2User, u"pv", u"0.0.0.0");
  EXPECT_FALSE(Present(u"webview2.exe"));
  registry.PutString(kHkcu, keys::kWebView2User, u"pv", u"120.0.2210.91");
  EXPECT_TRUE(Present(u"webview2.exe"));
}

TEST_F(Probes, WebView2MachineKeyIsThe32BitViewsOwnPath) {
  // The 64-bit process names WOW6432Node itself; the 32-bit view is not asked.
  registry.PutString(kHklm,
                     u"SOFTWARE\\Microsoft\\EdgeUpdate\\Clients\\"
                     u"{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}",
                     u"pv", u"120.0.2210.91", registry_access::kView32);
  EXPECT_FALSE(Present(u"webview2.exe"));
  registry.PutString(kHklm, keys::kWebView2Machine, u"pv", u"120.0.2210.91");
  EXPECT_TRUE(Present(u"webview2.exe"));
}

TEST_F(Probes, VersionTextsAreReadSafely) {
  Raw(kHklm, keys::kWebView2Machine, u"pv", Utf16Bytes(std::u16string(1, u'\0')));
  EXPECT_FALSE(Present(u"webview2.exe"));
  Raw(kHklm, keys::kWebView2Machine, u"pv", {});  // no data at all
  EXPECT_FALSE(Present(u"webview2.exe"));
  Raw(kHklm, keys::kWebView2Machine, u"pv", {'1'});  // odd size, less than one unit
  EXPECT_FALSE(Present(u"webview2.exe"));
  Raw(kHklm, keys::kWebView2Machine, u"pv", Utf16Bytes(u"0.0.0.0"));  // no NUL
  EXPECT_FALSE(Present(u"webview2.exe"));
  Raw(kHklm, keys::kWebView2Machine, u"pv", Utf16Bytes(u"0.0.0.01"));
  EXPECT_TRUE(Present(u"webview2.exe"));
}

TEST_F(Probes, VcRuntimeComparesEachPartOnItsOwn) {
  Runtime(14, 29, 30133);
  EXPECT_TRUE(Present(u"vc_redist.exe"));
  Runtime(14, 16, 27012);
  EXPECT_FALSE(Present(u"vc_redist.exe"));
  Runtime(15, 0, 0);
  EXPECT_FALSE(Present(u"vc_redist.exe"));
  Runtime(14, 24, 18126);  // each must exceed its threshold
  EXPECT_FALSE(Present(u"vc_redist.exe"));
}

TEST_F(Probes, VcRuntimeValueThatIsMissingOrTooLongCountsAsZero) {
  registry.PutNumber(kHklm, keys::kVcRuntime, u"Major", 14);
  registry.PutNumber(kHklm, keys::kVcRuntime, u"Minor", 29);
  EXPECT_FALSE(Present(u"vc_redist.exe"));
  Raw(kHklm, keys::kVcRuntime, u"Bld", {0xFF, 0xFF, 0xFF, 0x7F, 0x01});
  EXPECT_FALSE(Present(u"vc_redist.exe"));
  Raw(kHklm, keys::kVcRuntime, u"Bld", {0xFF, 0xFF});  // 65535 in two bytes, type not examined
  EXPECT_TRUE(Present(u"vc_redist.exe"));
}

TEST_F(Probes, BonjourHasOnlyTheMachineKey) {
  registry.PutString(kHkcu, keys::kBonjour, u"Version", u"3.0.0.10");
  EXPECT_FALSE(Present(u"bonjour.msi"));
  registry.PutString(kHklm, keys::kBonjour, u"Version", u"3.0.0.10");
  EXPECT_TRUE(Present(u"bonjour.msi"));
}

TEST_F(Probes, UnreadableKeyCountsAsAbsent) {
  registry.PutString(kHklm, keys::kBonjour, u"Version", u"3.0.0.10");
  registry.DenyAll(kHklm, keys::kBonjour);
  EXPECT_FALSE(Present(u"bonjour.msi"));
}

TEST_F(Probes, UnknownOrDifferentlyCasedNamesAreAlwaysInstalled) {
  registry.PutString(kHklm, keys::kWebView2Machine, u"pv", u"120.0.2210.91");
  EXPECT_TRUE(Present(u"webview2.exe"));
  EXPECT_FALSE(Present(u"WebView2.exe"));
  EXPECT_FALSE(Present(u"setup.exe"));
  EXPECT_FALSE(Present(u""));
}

}  // namespace
}  // namespace vwi
