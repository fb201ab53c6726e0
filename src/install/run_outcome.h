// What an installation run leaves behind once its wizard has closed: the
// worker's final state and cause, and whether a package asked for a restart.
// The application owns one record; the wizard fills it, because its panels
// (and the worker they own) are gone by the time the exit code is decided.
#pragma once

#include <cstdint>

#include "context/failure_cause.h"
#include "install/install_status.h"

namespace vwi {

struct RunOutcome {
  bool wizardRan = false;
  // The worker's final state; Initial when it never reached one (the wizard
  // was closed before the installation, or never started it).
  InstallState finalState = InstallState::Initial;
  FailureCause cause = FailureCause::None;
  // A package returned 3010: installed, but the machine must restart.
  bool restartRequired = false;
  // The result of the package that failed (0 when none failed).
  uint32_t installerResult = 0;
};

}  // namespace vwi
