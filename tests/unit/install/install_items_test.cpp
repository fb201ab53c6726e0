#include "install/install_items.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace vwi {
namespace {

struct FakeProbe : IPrerequisiteProbe {
  bool IsPrerequisiteSatisfied(const std::u16string& name) override {
    asked.push_back(name);
    return present.count(name) != 0;
  }
  std::set<std::u16string> present;
  std::vector<std::u16string> asked;
};

struct FakePacks : IInstalledLanguagePacks {
  std::vector<int32_t> InstalledLanguagePacks() override {
    ++calls;
    return ids;
  }
  std::vector<int32_t> ids;
  int calls = 0;
};

constexpr uint32_t kTick = 123456;

// What the plan decides for an item, in one comparison: a failure shows them all.
using ItemFields =
    std::tuple<std::u16string, std::u16string, std::u16string, std::u16string, int32_t, int32_t>;
ItemFields FieldsOf(const InstallItem& item) {
  return {item.name, item.url, item.localPath, item.commandLine, item.download, item.runAsProgram};
}

struct Plan : ::testing::Test {
  Plan() {
    context.componentFolder = u"C:\\p\\component\\";
    context.msiFolder = u"C:\\p\\msi\\";
    context.transformFolder = u"C:\\p\\transform\\";
    ProductManifest& m = context.manifest;
    m.mainComponentName = u"VimzeeHome.msi";
    m.mainComponentUrl = u"http://dl/VimzeeHome.msi";
    m.dependencies = {{u"webview2.exe", u"http://dl/wv2.exe", u"/silent /install"},
                      {u"vc_redist.exe", u"http://dl/vc.exe", u"/q"},
                      {u"setup.exe", u"http://dl/setup.exe", u""}};
    m.transforms = {{1036, u"fr.mst", u"http://dl/fr1.mst"},
                    {1031, u"de.mst", u"http://dl/de1.mst"},
                    {1031, u"de2.mst", u"http://dl/de2.mst"}};
    m.languagePacks = {{1031, u"VH", u"lp_de.exe", u"http://dl/lp_de.exe"},
                       {1036, u"VH", u"lp_fr.exe", u"http://dl/lp_fr.exe"},
                       {1031, u"VH", u"lp_de_second.exe", u"http://dl/other.exe"}};
  }
  InstallPlan Make() {
    return BuildInstallItems(context, flags, context.strings.languageId, probe, packs, kTick);
  }

  InstallerContext context;
  AppFlags flags;
  FakeProbe probe;
  FakePacks packs;
};

TEST_F(Plan, ComponentFileNamesCarryTheTickUnlessStandalone) {
  EXPECT_EQ(ComponentFileName(context, u"version.xml", 42), u"42version.xml");
  // The tick is printed signed: from 2^31 on it shows as negative.
  EXPECT_EQ(ComponentFileName(context, u"a.exe", 0x80000000u), u"-2147483648a.exe");
  EXPECT_EQ(LanguagePackPath(context, 1031, 7), u"C:\\p\\component\\7language_pack_1031.exe");
  context.manifest.standalone = true;
  EXPECT_EQ(ComponentFileName(context, u"version.xml", 42), u"version.xml");
  EXPECT_EQ(LanguagePackPath(context, 1031, 7), u"C:\\p\\component\\language_pack_1031.exe");
}

TEST_F(Plan, MissingPrerequisitesComeFirstThenTheMainPackage) {
  probe.present = {u"vc_redist.exe"};
  const InstallPlan plan = Make();
  EXPECT_EQ(probe.asked,
            (std::vector<std::u16string>{u"webview2.exe", u"vc_redist.exe", u"setup.exe"}));
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_EQ(FieldsOf(plan.items[0]),
            (ItemFields{u"webview2.exe", u"http://dl/wv2.exe",
                        u"C:\\p\\component\\123456webview2.exe", u"/silent /install", 1, 1}));
  EXPECT_EQ(plan.items[1].name, u"setup.exe");
  EXPECT_EQ(FieldsOf(plan.items[2]), (ItemFields{u"VimzeeHome.msi", u"http://dl/VimzeeHome.msi",
                                                 u"C:\\p\\msi\\VimzeeHome.msi", u"", 1, 0}));
  EXPECT_EQ(plan.downloadWeights, (std::vector<uint32_t>{40, 40, 50}));
  EXPECT_EQ(plan.installWeights, (std::vector<uint32_t>{40, 40, 50}));
  // English, not installed: no transform, no language pack, no registry look-up.
  EXPECT_EQ(packs.calls, 0);
}

TEST_F(Plan, FirstTransformAndLanguagePackOfTheCurrentLanguage) {
  probe.present = {u"webview2.exe", u"vc_redist.exe", u"setup.exe"};
  context.strings.languageId = 1031;
  const InstallPlan plan = Make();
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_EQ(plan.items[0].name, u"VimzeeHome.msi");
  EXPECT_EQ(FieldsOf(plan.items[1]), (ItemFields{u"de.mst", u"http://dl/de1.mst",
                                                 u"C:\\p\\transform\\1031.mst", u"", 1, 0}));
  EXPECT_EQ(FieldsOf(plan.items[2]),
            (ItemFields{u"lp_de.exe", u"http://dl/lp_de.exe",
                        u"C:\\p\\component\\123456language_pack_1031.exe", u"/s", 1, 1}));
  EXPECT_EQ(plan.installWeights, (std::vector<uint32_t>{50, 5, 5}));
  // A single offered language: no language pack.
  context.multipleLanguages = false;
  EXPECT_EQ(Make().items.size(), 2u);
}

TEST_F(Plan, InstalledProductTakesTheRecordedLanguagePacks) {
  probe.present = {u"webview2.exe", u"vc_redist.exe", u"setup.exe"};
  flags.productInstalled = true;
  context.strings.languageId = 1033;
  packs.ids = {1036, 2052, 1031};  // 2052 has no pack in the manifest
  const InstallPlan plan = Make();
  ASSERT_EQ(plan.items.size(), 3u);
  EXPECT_EQ(plan.items[1].name, u"lp_fr.exe");
  EXPECT_EQ(plan.items[1].localPath, u"C:\\p\\component\\123456language_pack_1036.exe");
  EXPECT_EQ(plan.items[2].name, u"lp_de.exe");
  EXPECT_EQ(packs.calls, 1);
}

TEST_F(Plan, StandaloneDownloadsNothing) {
  context.manifest.standalone = true;
  context.strings.languageId = 1036;
  const InstallPlan plan = Make();
  ASSERT_EQ(plan.items.size(), 6u);
  for (const InstallItem& item : plan.items) EXPECT_FALSE(item.download);
  EXPECT_EQ(plan.items[0].localPath, u"C:\\p\\component\\webview2.exe");
  EXPECT_EQ(plan.items[5].localPath, u"C:\\p\\component\\language_pack_1036.exe");
  EXPECT_TRUE(plan.downloadWeights.empty());
  EXPECT_EQ(plan.installWeights, (std::vector<uint32_t>{40, 40, 40, 50, 5, 5}));
}

TEST_F(Plan, APlanWithItsPrerequisitesPresentWeighsTheRest) {
  probe.present = {u"vc_redist.exe", u"setup.exe"};
  context.strings.languageId = 1031;
  const InstallPlan plan =
      BuildInstallItems(context, flags, context.strings.languageId, probe, packs, kTick);
  EXPECT_EQ(plan.items.size(), 4u);
  EXPECT_EQ(plan.downloadWeights, (std::vector<uint32_t>{40, 50, 5, 5}));
  EXPECT_EQ(plan.installWeights, (std::vector<uint32_t>{40, 50, 5, 5}));
}

TEST_F(Plan, EveryItemCarriesItsManifestDigest) {
  ProductManifest& m = context.manifest;
  m.dependencies[0].sha256 = u"D0";
  m.mainComponentSha256 = u"MAIN";
  m.transforms[2].sha256 = u"second de transform";
  m.transforms[1].sha256 = u"T1";
  m.languagePacks[0].sha256 = u"L0";
  context.strings.languageId = 1031;
  context.multipleLanguages = true;
  const InstallPlan plan = Make();
  ASSERT_EQ(plan.items.size(), 6u);
  EXPECT_EQ(plan.items[0].sha256, u"D0");
  EXPECT_EQ(plan.items[1].sha256, std::nullopt);
  EXPECT_EQ(plan.items[2].sha256, std::nullopt);
  EXPECT_EQ(plan.items[3].sha256, u"MAIN");
  EXPECT_EQ(plan.items[4].name, u"de.mst");
  EXPECT_EQ(plan.items[4].sha256, u"T1");
  EXPECT_EQ(plan.items[5].name, u"lp_de.exe");
  EXPECT_EQ(plan.items[5].sha256, u"L0");
}

}  // namespace
}  // namespace vwi
