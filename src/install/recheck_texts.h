// The texts of the version re-check's message boxes (the catalogue's,
// English by default).
#pragma once

#include <string>

#include "localisation/ui_string_keys.h"

namespace vwi {

struct RecheckTexts {
  // Filled with the product's short name.
  std::u16string installedAlready{IDS_ERR_INSTALLED_ALREADY.defaultText};
  std::u16string clientTooOld{IDS_ERR_CLIENT_TOO_OLD.defaultText};
};

}  // namespace vwi
