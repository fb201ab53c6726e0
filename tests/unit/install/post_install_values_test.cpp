#include "install/post_install_values.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";
using V = RegistryValueWrite;
constexpr auto kHklm = RegistryRoot::kLocalMachine;
constexpr auto kHkcu = RegistryRoot::kCurrentUser;

PostInstallInputs Inputs(std::u16string folder, bool multiple, int32_t language) {
  PostInstallInputs in;
  in.installFolder = std::move(folder);
  in.mainExecutable = u"Product.exe";
  in.registryPath = kKey;
  in.multipleLanguages = multiple;
  in.languageId = language;
  return in;
}

TEST(PostInstallValues, GermanFreshInstallWritesAllFiveInOrder) {
  PostInstallInputs in = Inputs(u"C:\\Program Files\\Orvanta\\", true, 1031);
  const std::vector<V> expected = {
      {kHklm, kKey, u"InstallDir", false, u"C:\\Program Files\\Orvanta\\", 0},
      {kHklm, kKey, u"exe", false, u"C:\\Program Files\\Orvanta\\Product.exe", 0},
      {kHklm, std::u16string(kKey) + u"\\LanguagePacks", u"InitialLangID", true, u"", 1031},
      {kHkcu, kKey, u"ApplicationLanguage", true, u"", 1031},
      {kHkcu, u"SOFTWARE\\Orvanta\\ResourceLangID", u"C:\\Program Files\\Orvanta\\vrelTandor2.exe",
       false, u"1031", 0},
  };
  EXPECT_EQ(PlanPostInstallValues(in), expected);
  EXPECT_EQ(in.installFolder, u"C:\\Program Files\\Orvanta");  // the context keeps it shortened
}

TEST(PostInstallValues, EnglishOrSingleLanguageWritesOnlyFolderAndExecutable) {
  PostInstallInputs english = Inputs(u"D:\\Vimzee", true, 1033);
  PostInstallInputs single = Inputs(u"D:\\Vimzee", false, 1031);
  const std::vector<V> expected = {
      {kHklm, kKey, u"InstallDir", false, u"D:\\Vimzee\\", 0},
      {kHklm, kKey, u"exe", false, u"D:\\Vimzee\\Product.exe", 0},
  };
  EXPECT_EQ(PlanPostInstallValues(english), expected);
  EXPECT_EQ(PlanPostInstallValues(single), expected);
  EXPECT_EQ(single.installFolder, u"D:\\Vimzee");
}

TEST(PostInstallValues, RepairWritesNothingAndLeavesTheFolder) {
  PostInstallInputs in = Inputs(u"C:\\Program Files\\Orvanta\\", true, 1031);
  in.productInstalled = true;
  EXPECT_TRUE(PlanPostInstallValues(in).empty());
  EXPECT_EQ(in.installFolder, u"C:\\Program Files\\Orvanta\\");
}

TEST(PostInstallValues, EmptyFolderWritesOnlyTheLanguageNumbers) {
  PostInstallInputs in = Inputs(u"\\", true, 1036);
  const auto values = PlanPostInstallValues(in);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].name, u"InitialLangID");
  EXPECT_EQ(values[1].name, u"ApplicationLanguage");
  EXPECT_EQ(values[1].number, 1036u);
}

TEST(PostInstallValues, WritesTypedValuesAndPassesOverKeysItCannotWrite) {
  PostInstallInputs in = Inputs(u"C:\\Program Files\\Orvanta\\", true, 1031);
  MemoryRegistry registry;
  registry.DenyWrite(kHkcu, kKey);
  WriteRegistryValues(PlanPostInstallValues(in), registry);

  const auto dir = registry.GetValue(kHklm, kKey, u"InstallDir");
  ASSERT_TRUE(dir);
  EXPECT_EQ(dir->type, 1u);
  const std::u16string expected = u"C:\\Program Files\\Orvanta\\";
  ASSERT_EQ(dir->data.size(), (expected.size() + 1) * 2);  // the NUL included
  EXPECT_EQ(dir->data[dir->data.size() - 2], 0);
  const auto langId =
      registry.GetValue(kHklm, std::u16string(kKey) + u"\\LanguagePacks", u"InitialLangID");
  ASSERT_TRUE(langId);
  EXPECT_EQ(langId->type, 4u);
  EXPECT_EQ(langId->data, (std::vector<uint8_t>{0x07, 0x04, 0, 0}));
  EXPECT_FALSE(registry.GetValue(kHkcu, kKey, u"ApplicationLanguage"));  // refused, passed over
  const auto resource = registry.GetValue(kHkcu, u"SOFTWARE\\Orvanta\\ResourceLangID",
                                          u"C:\\Program Files\\Orvanta\\vrelTandor2.exe");
  ASSERT_TRUE(resource);
  EXPECT_EQ(resource->data, (std::vector<uint8_t>{'1', 0, '0', 0, '3', 0, '1', 0, 0, 0}));
}

}  // namespace
}  // namespace vwi
