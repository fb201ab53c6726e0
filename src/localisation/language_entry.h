// One language offered in the settings panel's language box.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

struct LanguageEntry {
  std::u16string name;
  int32_t languageId = 0;
};

}  // namespace vwi
