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
// The installer's result; any but 0 is written to the diagnostic log.
uint32_t InstallPackage(InstallWorker& worker, const InstallItem& item,
                        const std::u16string& commandLine, IMessageBox& box,
                        const std::u16string& caption);

}  // namespace vwi
