#include "context/existing_installation.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "platform/text.h"
#include "unit/context/probe_doubles.h"

namespace vwi {
namespace {

constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr char16_t kCode[] = u"{3E9A7C21-58D4-4F0B-A6E2-7B1C9D4F2A10}";
const std::u16string kRegistry = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";
const std::u16string kPacks = kRegistry + u"\\LanguagePacks";

class Probes : public ::testing::Test {
 protected:
  struct Outcome {
    std::u16string installedVersion = u"stale";
    UiStringCatalogue strings;
    AppFlags flags;
  };

  Outcome Detect(std::u16string productCode = kCode) {
    ProductManifest manifest;
    manifest.productCode = std::move(productCode);
    manifest.shortName = u"Vimzee Home";
    manifest.registryPath = kRegistry;
    Outcome out;
    out.strings.languageId = 1036;  // as the language list chose it
    DetectExistingInstallation(manifest, {out.installedVersion, out.strings, out.flags},
                               {registry_, products_, box_});
    return out;
  }

  MemoryRegistry registry_;
  test::FakeInstalledProducts products_;
  test::RecordingMessageBox box_;
};

TEST_F(Probes, NotInstalledIsSilentAndChangesNothing) {
  const Outcome out = Detect();
  EXPECT_EQ(out.installedVersion, u"");
  EXPECT_FALSE(out.flags.productInstalled);
  EXPECT_EQ(out.strings.languageId, 1036);
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_EQ(products_.asked, (std::vector<std::u16string>{kCode}));
  EXPECT_FALSE(registry_.HasKey(kHklm, kPacks));
}

TEST_F(Probes, InstalledWithoutInitialLanguageKeepsTheChoice) {
  products_.versions[kCode] = u"27.0.1.4";
  const Outcome out = Detect();
  EXPECT_EQ(out.installedVersion, u"27.0.1.4");
  EXPECT_TRUE(out.flags.productInstalled);
  EXPECT_EQ(out.strings.languageId, 1036);
  // The key is opened for writing, so it now exists.
  EXPECT_TRUE(registry_.HasKey(kHklm, kPacks));
}

TEST_F(Probes, InitialLanguageOverridesEvenWhenNotOffered) {
  products_.versions[kCode] = u"27.0";
  registry_.PutNumber(kHklm, kPacks, u"InitialLangID", 1031);
  EXPECT_EQ(Detect().strings.languageId, 1031);
  registry_.PutNumber(kHklm, kPacks, u"InitialLangID", 1033);
  EXPECT_EQ(Detect().strings.languageId, 1036);  // 1033 leaves the choice in place
}

TEST_F(Probes, OtherInstallerErrorsShowTheirNumber) {
  // A manifest without a product code.
  Outcome out = Detect(u"");
  EXPECT_EQ(out.installedVersion, u"");
  EXPECT_FALSE(out.flags.productInstalled);
  ASSERT_EQ(box_.shown.size(), 1u);
  EXPECT_EQ(box_.shown[0].text, u"Failed to get installed product info, error code: 87");
  EXPECT_EQ(box_.shown[0].caption, u"Vimzee Home");
  EXPECT_EQ(box_.shown[0].style, message_box::kOk);

  // A version text that does not fit the buffer: the product counts as not installed.
  products_.versions[kCode] = std::u16string(260, u'9');
  out = Detect();
  EXPECT_FALSE(out.flags.productInstalled);
  ASSERT_EQ(box_.shown.size(), 2u);
  EXPECT_EQ(box_.shown[1].text, u"Failed to get installed product info, error code: 234");
}

TEST_F(Probes, LanguagePacksAreTheSubKeysAsNumbers) {
  EXPECT_TRUE(InstalledLanguagePacks(kRegistry, registry_).empty());
  for (const auto* name : {u"1031", u"1036", u"Deutsch", u"2052x"}) {
    registry_.PutKey(kHklm, kPacks + u"\\" + name);
  }
  EXPECT_EQ(InstalledLanguagePacks(kRegistry, registry_),
            (std::vector<int32_t>{1031, 1036, 2052, 0}));
}

TEST_F(Probes, UnreadableKeysGiveTheDefaults) {
  products_.versions[kCode] = u"27.0";
  registry_.PutNumber(kHklm, kPacks, u"InitialLangID", 1031);
  registry_.PutKey(kHklm, kPacks + u"\\1031");
  registry_.DenyAll(kHklm, kRegistry);
  EXPECT_EQ(Detect().strings.languageId, 1036);
  EXPECT_TRUE(InstalledLanguagePacks(kRegistry, registry_).empty());
  EXPECT_EQ(InstalledExecutablePath(kRegistry, registry_), u"");
}

TEST_F(Probes, ExecutablePathOnlyWhenTheFileExists) {
  const auto file =
      std::filesystem::temp_directory_path() / ("vwi-probe-" + std::to_string(getpid()) + ".exe");
  std::ofstream(file) << "MZ";
  const std::u16string path = Utf16FromUtf8(file.string());
  EXPECT_EQ(InstalledExecutablePath(kRegistry, registry_), u"");
  registry_.PutString(kHklm, kRegistry, u"exe", path);
  EXPECT_EQ(InstalledExecutablePath(kRegistry, registry_), path);
  std::filesystem::remove(file);
  EXPECT_EQ(InstalledExecutablePath(kRegistry, registry_), u"");
}

TEST_F(Probes, ManifestOverrideCreatesTheEmptyKey) {
  ManifestOverride found = ManifestPathOverride(registry_);
  EXPECT_FALSE(found.exists);
  EXPECT_EQ(found.path, u"");
  EXPECT_TRUE(registry_.HasKey(RegistryRoot::kCurrentUser, kManifestOverrideKey));
  ASSERT_FALSE(registry_.requests().empty());
  EXPECT_EQ(registry_.requests()[0].access, registry_access::kReadWrite);

  registry_.PutString(RegistryRoot::kCurrentUser, kManifestOverrideKey, u"WebInstallerManifest",
                      u"/nonexistent/manifest.xml");
  found = ManifestPathOverride(registry_);
  EXPECT_FALSE(found.exists);
  EXPECT_EQ(found.path, u"/nonexistent/manifest.xml");

  const std::u16string demo = Utf16FromUtf8(VWI_FIXTURES "/../../demo/config/manifestHome.xml");
  registry_.PutString(RegistryRoot::kCurrentUser, kManifestOverrideKey, u"WebInstallerManifest",
                      demo);
  found = ManifestPathOverride(registry_);
  EXPECT_TRUE(found.exists);
  EXPECT_EQ(found.path, demo);
}

}  // namespace
}  // namespace vwi
