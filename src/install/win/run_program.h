// Running a prerequisite or language-pack installer to its end.
#pragma once

#include <string>

#include "download/download_status.h"
#include "install/install_item.h"
#include "install/install_steps.h"

namespace vwi {

// Runs `item.localPath` with `item.commandLine` and waits until it has
// ended or `cancel` is seen (looked at every 50 ms): a
// ".msi" through Msiexec ("/i", the quoted path, the arguments), anything
// else as a program. On a cancel the program is left to run on its own, and
// the result has no exit code.
ProgramResult RunProgram(const InstallItem& item, const ICancelRequest& cancel);

}  // namespace vwi
