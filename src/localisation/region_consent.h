// The region rule of the licence check box: in some countries the user must
// tick it personally, elsewhere it starts ticked.
#pragma once

#include <cstdint>

#include "platform/registry.h"

namespace vwi {

// Whether a Windows geographical location (GEOID) is one of the countries
// whose users must accept the licence themselves: Japan, Canada, the member
// states of the European Union and the United Kingdom.
bool IsConsentCountry(int32_t geoId);

// Reads the user's nation ("Nation" of HKCU "Control Panel\International\Geo",
// a decimal GEOID) and says whether it is a consent country; false when the
// value is absent or holds no number.
bool RegionRequiresConsent(IRegistry& registry = SystemRegistry());

}  // namespace vwi
