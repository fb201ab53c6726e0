#include "localisation/region_consent.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registry_key.h"

namespace vwi {
namespace {

constexpr char16_t kGeo[] = u"Control Panel\\International\\Geo";

// The user's real nation is saved and put back afterwards.
class RegionConsentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(geo_.Open(RegistryRoot::kCurrentUser, kGeo));
    saved_ = geo_.QueryString(u"Nation");
  }
  void TearDown() override {
    if (saved_) {
      geo_.SetString(u"Nation", *saved_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\International\\Geo", L"Nation");
    }
  }
  RegistryKey geo_;
  std::optional<std::u16string> saved_;
};

TEST_F(RegionConsentTest, GermanyNeedsConsentTheUnitedStatesDoNot) {
  ASSERT_EQ(geo_.SetString(u"Nation", u"94"), 0);
  EXPECT_TRUE(RegionRequiresConsent());
  ASSERT_EQ(geo_.SetString(u"Nation", u"244"), 0);
  EXPECT_FALSE(RegionRequiresConsent());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\International\\Geo", L"Nation");
  EXPECT_FALSE(RegionRequiresConsent());
}

}  // namespace
}  // namespace vwi
