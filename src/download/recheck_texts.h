// The texts of the version re-check's message boxes (the catalogue's,
// English by default).
#pragma once

#include <string>

namespace vwi {

struct RecheckTexts {
  // IDS_ERR_INSTALLED_ALREADY, filled with the product's short name
  std::u16string installedAlready = u"%s is already installed. Would you like to launch it?";
  // IDS_ERR_CLIENT_TOO_OLD
  std::u16string clientTooOld =
      u"The version of your client is too old, please click \"OK\" to download the latest "
      u"client.";
};

}  // namespace vwi
