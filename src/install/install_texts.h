// The catalogue texts the install engine shows (English by default; the
// status panel passes the chosen language's).
#pragma once

#include <string>

#include "download/download_control.h"

namespace vwi {

struct InstallTexts {
  // IDS_ERR_CONNECT_DOWNLOAD_SERVER
  std::u16string connectDownloadServer =
      u"Unable to contact the download server. Check your Internet connection and try again. "
      u"If the issue persists, please contact Customer Care.";
  // IDS_ERR_PAYLOAD_DAMAGED, %s the package's name
  std::u16string payloadDamaged =
      u"The downloaded file %s is damaged or has been changed. It was deleted and nothing was "
      u"installed. Try again later. If the issue persists, please contact Customer Care.";
  // IDS_CLOSE_RUNNING_APPS
  std::u16string closeRunningApps =
      u"The following applications should be closed before continuing the installation:";
};

// The box for a run whose downloads failed: a package that differs from its
// digest is named in a message of its own; every other failure is the
// server's.
std::u16string DownloadFailureText(const InstallTexts& texts, const DownloadControl& control);

}  // namespace vwi
