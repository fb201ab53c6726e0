// One language offered in the settings panel's language box.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

struct LanguageEntry {
  std::u16string name;     // shown in the language box
  int32_t languageId = 0;  // a Windows LANGID

  bool operator==(const LanguageEntry&) const = default;
};

}  // namespace vwi
