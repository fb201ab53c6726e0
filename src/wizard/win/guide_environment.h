// What the wizard's windows work on: the run's context and flags, the
// operating-system services and the shared installation status. Start-up
// owns them; the wizard borrows them for its whole life.
#pragma once

#include "app/app_flags.h"
#include "context/installer_context.h"
#include "install/install_status.h"
#include "install/run_outcome.h"
#include "platform/system_services.h"

namespace vwi {

struct GuideEnvironment {
  InstallerContext& context;
  AppFlags& flags;
  ISystemServices& system;
  InstallStatus& status;
  // Filled as the run ends, read by the application after the wizard.
  RunOutcome& outcome;
};

}  // namespace vwi
