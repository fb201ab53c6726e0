// The catalogue of user-interface texts: English defaults, overridden by the
// language file of the chosen language.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

struct UiStringCatalogue {
  int32_t languageId = 1033;      // the user-interface language (a LANGID)
  std::u16string languageFolder;  // the folder holding the "language" folders
};

}  // namespace vwi
