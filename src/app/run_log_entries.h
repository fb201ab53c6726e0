// What the application writes into the run's log ("/log"): the manifest in
// use and its key values, and how the run ended.
#pragma once

#include <string>

#include "app/exit_code.h"

namespace vwi {

class InstallerContext;

// The manifest's file and key values, one per line.
std::u16string ManifestLogEntry(const InstallerContext& context);

// The final state, the cause and the exit code.
std::u16string ExitLogEntry(const RunReport& report, int exitCode);

// A short English name of a worker state ("finished", "failed", ...).
std::u16string_view InstallStateName(InstallState state);

}  // namespace vwi
