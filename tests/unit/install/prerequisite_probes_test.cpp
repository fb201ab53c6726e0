#include "install/prerequisite_probes.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace vwi {
namespace {

namespace keys = prerequisite_keys;

// A registry of raw values; every read is recorded.
struct FakeRegistry : IRegistryReader {
  std::map<std::tuple<RegistryHive, std::u16string, std::u16string>, std::vector<uint8_t>> values;
  std::optional<std::vector<uint8_t>> ReadRaw(RegistryHive hive, std::u16string_view key,
                                              std::u16string_view name) override {
    auto it = values.find({hive, std::u16string(key), std::u16string(name)});
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  void Text(RegistryHive hive, std::u16string key, std::u16string name, std::u16string text,
            bool terminated = true) {
    std::vector<uint8_t> bytes;
    if (terminated) text.push_back(u'\0');
    for (char16_t c : text) {
      bytes.push_back(static_cast<uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    values[{hive, key, name}] = bytes;
  }
  void Number(std::u16string name, uint32_t value) {
    values[{RegistryHive::kLocalMachine, keys::kVcRuntime, name}] = {
        static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  }
};

constexpr auto kHklm = RegistryHive::kLocalMachine;
constexpr auto kHkcu = RegistryHive::kCurrentUser;

TEST(PrerequisiteProbes, WebView2CountsFromEitherKeyUnlessZeroVersion) {
  FakeRegistry registry;
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.Text(kHklm, keys::kWebView2Machine, u"pv", u"0.0.0.0");
  registry.Text(kHkcu, keys::kWebView2User, u"pv", u"0.0.0.0");
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.Text(kHkcu, keys::kWebView2User, u"pv", u"120.0.2210.91");
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
}

TEST(PrerequisiteProbes, VersionTextsAreReadSafely) {
  FakeRegistry registry;
  registry.Text(kHklm, keys::kWebView2Machine, u"pv", u"");
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.values[{kHklm, keys::kWebView2Machine, u"pv"}] = {};  // no data at all
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.values[{kHklm, keys::kWebView2Machine, u"pv"}] = {'1'};  // odd size
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.Text(kHklm, keys::kWebView2Machine, u"pv", u"0.0.0.0", false);  // no NUL
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  registry.Text(kHklm, keys::kWebView2Machine, u"pv", u"0.0.0.01");
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
}

TEST(PrerequisiteProbes, VcRuntimeComparesEachPartOnItsOwn) {
  FakeRegistry registry;
  registry.Number(u"Major", 14);
  registry.Number(u"Minor", 29);
  registry.Number(u"Bld", 30133);
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
  registry.Number(u"Minor", 16);
  registry.Number(u"Bld", 27012);
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
  registry.Number(u"Major", 15);
  registry.Number(u"Minor", 0);
  registry.Number(u"Bld", 0);
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
}

TEST(PrerequisiteProbes, VcRuntimeValueThatIsMissingOrTooLongCountsAsZero) {
  FakeRegistry registry;
  registry.Number(u"Major", 14);
  registry.Number(u"Minor", 29);
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
  registry.values[{kHklm, keys::kVcRuntime, u"Bld"}] = {0xFF, 0xFF, 0xFF, 0x7F, 0x01};
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
  registry.values[{kHklm, keys::kVcRuntime, u"Bld"}] = {0xFF, 0xFF};  // 65535 in two bytes
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"vc_redist.exe", registry));
}

TEST(PrerequisiteProbes, BonjourHasOnlyTheMachineKey) {
  FakeRegistry registry;
  registry.Text(kHkcu, keys::kBonjour, u"Version", u"3.0.0.10");
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"bonjour.msi", registry));
  registry.Text(kHklm, keys::kBonjour, u"Version", u"3.0.0.10");
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"bonjour.msi", registry));
}

TEST(PrerequisiteProbes, UnknownOrDifferentlyCasedNamesAreAlwaysInstalled) {
  FakeRegistry registry;
  registry.Text(kHklm, keys::kWebView2Machine, u"pv", u"120.0.2210.91");
  EXPECT_TRUE(IsPrerequisiteSatisfied(u"webview2.exe", registry));
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"WebView2.exe", registry));
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"setup.exe", registry));
  EXPECT_FALSE(IsPrerequisiteSatisfied(u"", registry));
}

}  // namespace
}  // namespace vwi
