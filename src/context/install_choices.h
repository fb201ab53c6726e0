// What the user chose for the installation, as a value: the settings panel
// makes it, the installation takes a copy of it when it starts, and nothing
// either side does afterwards reaches the other.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

struct InstallChoices {
  std::u16string installFolder;  // the installation folder itself (nothing is appended)
  int32_t fileAssociation = 0;   // 0 all image types, 1 types not in use, 2 none
  int32_t languageId = 1033;     // the language to install (the wizard's own)
};

}  // namespace vwi
