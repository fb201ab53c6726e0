#include "install/post_install_settings.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";

struct Settings : testing::Test {
  InstallerContext context;
  AppFlags flags;
  MemoryRegistry registry;
  Settings() {
    context.manifest.registryPath = kKey;
    context.manifest.mainExecutable = u"Product.exe";
    context.installFolder = u"C:\\Program Files\\Orvanta\\";
    context.multipleLanguages = 1;
    context.strings.languageId = 1031;
  }
};

TEST_F(Settings, FreshInstallRecordsFolderExecutableAndLanguage) {
  EXPECT_TRUE(ApplyPostInstallSettings(context, flags, registry));
  EXPECT_EQ(context.installFolder, u"C:\\Program Files\\Orvanta");
  const auto exe = registry.GetValue(RegistryRoot::kLocalMachine, kKey, u"exe");
  ASSERT_TRUE(exe);
  const std::u16string path = u"C:\\Program Files\\Orvanta\\Product.exe";
  EXPECT_EQ(exe->data.size(), (path.size() + 1) * 2);
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, kKey, u"ApplicationLanguage"));
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\ResourceLangID",
                                u"C:\\Program Files\\Orvanta\\vrelTandor2.exe"));
}

TEST_F(Settings, RepairWritesNothing) {
  flags.productInstalled = 1;
  EXPECT_TRUE(ApplyPostInstallSettings(context, flags, registry));
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kLocalMachine, kKey));
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kCurrentUser, kKey));
  EXPECT_EQ(context.installFolder, u"C:\\Program Files\\Orvanta\\");
}

TEST_F(Settings, RefusedKeysStillCountAsFinished) {
  registry.DenyAll(RegistryRoot::kLocalMachine, u"SOFTWARE");
  EXPECT_TRUE(ApplyPostInstallSettings(context, flags, registry));
  EXPECT_FALSE(registry.GetValue(RegistryRoot::kLocalMachine, kKey, u"exe"));
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, kKey, u"ApplicationLanguage"));
}

}  // namespace
}  // namespace vwi
