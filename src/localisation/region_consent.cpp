#include "localisation/region_consent.h"

#include <algorithm>
#include <array>

#include "platform/registry_key.h"
#include "platform/text.h"

namespace vwi {

bool IsConsentCountry(int32_t geoId) {
  static constexpr std::array<int32_t, 30> kConsentCountries = {
      122,  // Japan
      39,   // Canada
      14,   // Austria
      21,   // Belgium
      35,   // Bulgaria
      108,  // Croatia
      59,   // Cyprus
      75,   // Czechia
      61,   // Denmark
      70,   // Estonia
      77,   // Finland
      84,   // France
      94,   // Germany
      98,   // Greece
      109,  // Hungary
      68,   // Ireland
      118,  // Italy
      140,  // Latvia
      141,  // Lithuania
      147,  // Luxembourg
      163,  // Malta
      176,  // Netherlands
      191,  // Poland
      193,  // Portugal
      200,  // Romania
      143,  // Slovakia
      212,  // Slovenia
      217,  // Spain
      221,  // Sweden
      242,  // United Kingdom
  };
  return std::find(kConsentCountries.begin(), kConsentCountries.end(), geoId) !=
         kConsentCountries.end();
}

bool RegionRequiresConsent(IRegistry& registry) {
  RegistryKey geo(registry);
  geo.Open(RegistryRoot::kCurrentUser, u"Control Panel\\International\\Geo");
  const std::u16string nation = geo.QueryString(u"Nation").value_or(u"");
  return IsConsentCountry(ParseLenientInt(nation));
}

}  // namespace vwi
