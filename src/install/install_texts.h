// The catalogue texts the install engine shows (English by default; the
// status panel passes the chosen language's).
#pragma once

#include <string>

namespace vwi {

struct InstallTexts {
  // IDS_ERR_CONNECT_DOWNLOAD_SERVER
  std::u16string connectDownloadServer =
      u"Unable to contact the download server. Check your Internet connection and try again. "
      u"If the issue persists, please contact Customer Care.";
  // IDS_CLOSE_RUNNING_APPS
  std::u16string closeRunningApps =
      u"The following applications should be closed before continuing the installation:";
};

}  // namespace vwi
