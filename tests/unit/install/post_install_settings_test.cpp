#include "install/post_install_settings.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

constexpr char16_t kKey[] = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";

struct Settings : testing::Test {
  InstallerContext context;
  InstallChoices choices{u"C:\\Program Files\\Orvanta\\", 0, 1031};
  AppFlags flags;
  MemoryRegistry registry;
  Settings() {
    context.manifest.registryPath = kKey;
    context.manifest.mainExecutable = u"Product.exe";
    context.multipleLanguages = true;
  }
};

TEST_F(Settings, FreshInstallRecordsFolderExecutableAndLanguage) {
  EXPECT_TRUE(ApplyPostInstallSettings(choices, context, flags, registry));
  EXPECT_EQ(choices.installFolder, u"C:\\Program Files\\Orvanta\\");  // the choice stays as it was
  const auto exe = registry.GetValue(RegistryRoot::kLocalMachine, kKey, u"exe");
  ASSERT_TRUE(exe);
  const std::u16string path = u"C:\\Program Files\\Orvanta\\Product.exe";
  EXPECT_EQ(exe->data.size(), (path.size() + 1) * 2);
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, kKey, u"ApplicationLanguage"));
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\ResourceLangID",
                                u"C:\\Program Files\\Orvanta\\vrelTandor2.exe"));
}

TEST_F(Settings, RepairWritesNothing) {
  flags.productInstalled = true;
  EXPECT_TRUE(ApplyPostInstallSettings(choices, context, flags, registry));
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kLocalMachine, kKey));
  EXPECT_FALSE(registry.HasKey(RegistryRoot::kCurrentUser, kKey));
}

TEST_F(Settings, RefusedKeysStillCountAsFinished) {
  registry.DenyAll(RegistryRoot::kLocalMachine, u"SOFTWARE");
  EXPECT_TRUE(ApplyPostInstallSettings(choices, context, flags, registry));
  EXPECT_FALSE(registry.GetValue(RegistryRoot::kLocalMachine, kKey, u"exe"));
  EXPECT_TRUE(registry.GetValue(RegistryRoot::kCurrentUser, kKey, u"ApplicationLanguage"));
}

}  // namespace
}  // namespace vwi
