// The probes against the real registry and Windows Installer: a small fixture
// package is installed for the duration of the test program.
#include "context/existing_installation.h"

#include <windows.h>
#include <msi.h>

#include <gtest/gtest.h>

#include "platform/registry_key.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

constexpr char16_t kProductCode[] = u"{3E9A7C21-58D4-4F0B-A6E2-7B1C9D4F2A10}";
const std::u16string kRegistry = u"SOFTWARE\\Orvanta\\VwiTest\\Probes";

// Records what would have been shown instead of blocking the test on a box.
class RecordingBox final : public IMessageBox {
 public:
  std::vector<std::u16string> texts;
  int Show(std::u16string_view text, std::u16string_view, uint32_t) override {
    texts.emplace_back(text);
    return 1;
  }
};

class InstalledFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    const std::wstring package = L"" VWI_CONTEXT_FIXTURES L"\\probe_product.msi";
    installResult_ = MsiInstallProductW(package.c_str(), L"REBOOT=ReallySuppress");
  }
  static void TearDownTestSuite() {
    MsiConfigureProductW(Wide(std::u16string(kProductCode)), INSTALLLEVEL_DEFAULT,
                         INSTALLSTATE_ABSENT);
    SystemRegistry().DeleteTree(RegistryRoot::kLocalMachine, u"SOFTWARE\\Orvanta\\VwiTest", 0);
  }
  void TearDown() override {
    SystemRegistry().DeleteTree(RegistryRoot::kLocalMachine, kRegistry, 0);
  }

  static inline UINT installResult_ = 0;
};

TEST_F(InstalledFixture, ReadsTheInstalledVersion) {
  ASSERT_EQ(installResult_, 0u);
  RecordingBox box;
  EXPECT_EQ(InstalledProductVersion(kProductCode, u"Vimzee Home", SystemInstalledProducts(), box),
            u"4.2.17");
  EXPECT_TRUE(box.texts.empty());
}

TEST_F(InstalledFixture, UnknownProductIsSilent) {
  RecordingBox box;
  std::u16string version = u"x";
  EXPECT_EQ(SystemInstalledProducts().QueryVersionString(u"{00000000-1111-2222-3333-444444444444}",
                                                         version),
            kInstallerUnknownProduct);
  EXPECT_EQ(InstalledProductVersion(u"{00000000-1111-2222-3333-444444444444}", u"Vimzee Home",
                                    SystemInstalledProducts(), box),
            u"");
  EXPECT_TRUE(box.texts.empty());
}

TEST_F(InstalledFixture, MalformedProductCodeIsReported) {
  RecordingBox box;
  EXPECT_EQ(InstalledProductVersion(u"", u"Vimzee Home", SystemInstalledProducts(), box), u"");
  ASSERT_EQ(box.texts.size(), 1u);
  EXPECT_EQ(box.texts[0], u"Failed to get installed product info, error code: 87");
}

TEST_F(InstalledFixture, DetectsTheInstallationAndItsLanguagePacks) {
  ASSERT_EQ(installResult_, 0u);
  RegistryKey packs;
  ASSERT_TRUE(packs.Open(RegistryRoot::kLocalMachine, kRegistry + u"\\LanguagePacks"));
  ASSERT_EQ(packs.SetNumber(u"InitialLangID", 1031), 0);
  for (const auto* name : {u"1031", u"1036", u"Deutsch"}) {
    RegistryKey pack;
    ASSERT_TRUE(pack.Open(RegistryRoot::kLocalMachine, kRegistry + u"\\LanguagePacks\\" + name));
  }

  ProductManifest manifest;
  manifest.productCode = kProductCode;
  manifest.registryPath = kRegistry;
  std::u16string installedVersion;
  UiStringCatalogue strings;
  strings.languageId = 1036;
  AppFlags flags;
  RecordingBox box;
  DetectExistingInstallation(manifest, {installedVersion, strings, flags},
                             {SystemRegistry(), SystemInstalledProducts(), box});
  EXPECT_EQ(installedVersion, u"4.2.17");
  EXPECT_TRUE(flags.productInstalled);
  EXPECT_EQ(strings.languageId, 1031);
  EXPECT_TRUE(box.texts.empty());
  EXPECT_EQ(InstalledLanguagePacks(kRegistry), (std::vector<int32_t>{1031, 1036, 0}));

  // A recorded 1033 leaves the chosen language alone.
  ASSERT_EQ(packs.SetNumber(u"InitialLangID", 1033), 0);
  strings.languageId = 1036;
  DetectExistingInstallation(manifest, {installedVersion, strings, flags},
                             {SystemRegistry(), SystemInstalledProducts(), box});
  EXPECT_EQ(strings.languageId, 1036);
}

TEST_F(InstalledFixture, NotInstalledLeavesEverything) {
  ProductManifest manifest;
  manifest.productCode = u"{00000000-1111-2222-3333-444444444444}";
  manifest.registryPath = kRegistry;
  std::u16string installedVersion = u"stale";
  UiStringCatalogue strings;
  AppFlags flags;
  RecordingBox box;
  DetectExistingInstallation(manifest, {installedVersion, strings, flags},
                             {SystemRegistry(), SystemInstalledProducts(), box});
  EXPECT_EQ(installedVersion, u"");
  EXPECT_FALSE(flags.productInstalled);
  EXPECT_TRUE(box.texts.empty());
}

TEST_F(InstalledFixture, ExecutablePathNeedsTheFile) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  RegistryKey product;
  ASSERT_TRUE(product.Open(RegistryRoot::kLocalMachine, kRegistry));
  EXPECT_EQ(InstalledExecutablePath(kRegistry), u"");
  ASSERT_EQ(product.SetString(u"exe", FromWide(self)), 0);
  EXPECT_EQ(InstalledExecutablePath(kRegistry), FromWide(self));
  ASSERT_EQ(product.SetString(u"exe", u"C:\\Program Files\\Orvanta\\deleted.exe"), 0);
  EXPECT_EQ(InstalledExecutablePath(kRegistry), u"");
}

TEST(ManifestOverride, ReadingCreatesTheEmptyPerUserKey) {
  // Only a key this test made is removed again.
  RegistryKey before;
  const bool existed = before.OpenForRead(RegistryRoot::kCurrentUser, kManifestOverrideKey);
  before.Close();
  if (existed) GTEST_SKIP() << "the per-user key exists already";

  const ManifestOverride found = ManifestPathOverride();
  EXPECT_FALSE(found.exists);
  EXPECT_EQ(found.path, u"");
  RegistryKey created;
  EXPECT_TRUE(created.OpenForRead(RegistryRoot::kCurrentUser, kManifestOverrideKey));

  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  RegistryKey writer;
  ASSERT_TRUE(writer.Open(RegistryRoot::kCurrentUser, kManifestOverrideKey));
  ASSERT_EQ(writer.SetString(u"WebInstallerManifest", FromWide(self)), 0);
  const ManifestOverride named = ManifestPathOverride();
  EXPECT_TRUE(named.exists);
  EXPECT_EQ(named.path, FromWide(self));

  writer.Close();
  created.Close();
  SystemRegistry().DeleteTree(RegistryRoot::kCurrentUser, kManifestOverrideKey, 0);
}

}  // namespace
}  // namespace vwi
