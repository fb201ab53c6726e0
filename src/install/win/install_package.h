// Installing one Windows Installer package through msi.dll, with the
// installer's own user interface replaced by the worker's message handler.
#pragma once

#include <string>

#include <cstdint>
#include <functional>

#include "download/download_status.h"
#include "install/install_item.h"
#include "install/install_steps.h"
#include "platform/message_box.h"

namespace vwi {

// What the installer's message handler reaches while one package installs.
struct PackageSession {
  IMessageBox& box;               // the installer's error prompts
  const std::u16string& caption;  // their caption
  const std::function<void(int32_t)>& onPercent;
  ICancelRequest& cancel;  // answered at the next progress message
};

// Installs `item.localPath` with `commandLine` (the property command line;
// none when empty). The installer's result, with the home page it reported;
// any result but 0 is written to the diagnostic log.
PackageResult InstallPackage(const InstallItem& item, const std::u16string& commandLine,
                             const PackageSession& session);

}  // namespace vwi
