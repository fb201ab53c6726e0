// What an installation run leaves behind once its wizard has closed: the
// run's result, and whether the wizard ran at all. The application owns one
// record; the wizard fills it, because its panels (and the worker they own)
// are gone by the time the exit code is decided.
#pragma once

#include "install/install_result.h"

namespace vwi {

struct RunOutcome : InstallResult {
  bool wizardRan = false;
};

}  // namespace vwi
