// The catalogue texts the install engine shows (English by default; the
// status panel passes the chosen language's).
#pragma once

#include <string>

#include "install/step_result.h"
#include "localisation/ui_string_keys.h"

namespace vwi {

struct InstallTexts {
  std::u16string connectDownloadServer{IDS_ERR_CONNECT_DOWNLOAD_SERVER.defaultText};
  // Filled with the package's name.
  std::u16string payloadDamaged{IDS_ERR_PAYLOAD_DAMAGED.defaultText};
  std::u16string closeRunningApps{IDS_CLOSE_RUNNING_APPS.defaultText};
};

// The box for a run whose downloads failed (`failed` is the step that
// failed): a package that differs from its digest is named in a message of
// its own; every other failure is the server's.
std::u16string DownloadFailureText(const InstallTexts& texts, const StepResult& failed);

}  // namespace vwi
