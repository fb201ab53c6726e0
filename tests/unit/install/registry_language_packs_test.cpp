#include "install/registry_language_packs.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

TEST(RegistryLanguagePacks, ListsThePacksUnderTheProductKey) {
  const std::u16string product = u"SOFTWARE\\Orvanta\\Vimzee Home\\270";
  MemoryRegistry registry;
  RegistryLanguagePacks packs(product, registry);
  EXPECT_TRUE(packs.InstalledLanguagePacks().empty());
  registry.PutKey(RegistryRoot::kLocalMachine, product + u"\\LanguagePacks\\1031");
  registry.PutKey(RegistryRoot::kLocalMachine, product + u"\\LanguagePacks\\1036");
  EXPECT_EQ(packs.InstalledLanguagePacks(), (std::vector<int32_t>{1031, 1036}));
}

}  // namespace
}  // namespace vwi
