#include "localisation/region_consent.h"

#include <gtest/gtest.h>

#include "platform/memory_registry.h"

namespace vwi {
namespace {

constexpr char16_t kGeo[] = u"Control Panel\\International\\Geo";

TEST(RegionConsent, ThirtyCountries) {
  int count = 0;
  for (int32_t id = -10; id < 100000; ++id) count += IsConsentCountry(id) ? 1 : 0;
  EXPECT_EQ(count, 30);
  for (const int32_t id : {122, 39, 14, 94, 84, 242, 221, 212}) EXPECT_TRUE(IsConsentCountry(id));
  for (const int32_t id : {244, 0, 1, 223})
    EXPECT_FALSE(IsConsentCountry(id));  // US, -, -, Switzerland
}

TEST(RegionConsent, ReadsTheUsersNation) {
  MemoryRegistry registry;
  registry.PutString(RegistryRoot::kCurrentUser, kGeo, u"Nation", u"94");
  EXPECT_TRUE(RegionRequiresConsent(registry));
  registry.PutString(RegistryRoot::kCurrentUser, kGeo, u"Nation", u"244");
  EXPECT_FALSE(RegionRequiresConsent(registry));
  registry.PutString(RegistryRoot::kCurrentUser, kGeo, u"Nation", u" 122 ");
  EXPECT_TRUE(RegionRequiresConsent(registry));
  registry.PutString(RegistryRoot::kCurrentUser, kGeo, u"Nation", u"Japan");
  EXPECT_FALSE(RegionRequiresConsent(registry));
}

TEST(RegionConsent, AbsentNationCountsAsNoCountry) {
  MemoryRegistry registry;
  EXPECT_FALSE(RegionRequiresConsent(registry));
  registry.DenyAll(RegistryRoot::kCurrentUser, u"Control Panel");
  EXPECT_FALSE(RegionRequiresConsent(registry));
}

}  // namespace
}  // namespace vwi
