// Installing one Windows Installer package through msi.dll, with the
// installer's own user interface replaced by the worker's message handler.
#pragma once

#include <string>

#include "install/install_item.h"
#include "install/install_worker.h"
#include "platform/message_box.h"

namespace vwi {

// Installs `item.localPath` with `commandLine` (the property command line;
// none when empty). The installer's error prompts go to `box` with `caption`.
// True when the installer returned 0 or 3010; every other result is written
// to the diagnostic log.
bool InstallPackage(InstallWorker& worker, const InstallItem& item,
                    const std::u16string& commandLine, IMessageBox& box,
                    const std::u16string& caption);

}  // namespace vwi
