// What the wizard's windows work on: the run's context and flags, the
// operating-system services and the installation. Start-up owns them; the
// wizard borrows them for its whole life.
#pragma once

#include "context/app_flags.h"
#include "context/install_choices.h"
#include "context/installer_context.h"
#include "install/installation.h"
#include "install/run_outcome.h"
#include "platform/system_services.h"
#include "platform/win/win_message_box.h"

namespace vwi {

struct GuideEnvironment {
  // Read by the wizard; its catalogue follows the language chosen.
  InstallerContext& context;
  AppFlags& flags;
  // What the user chooses on the settings panel; the run takes a copy.
  InstallChoices& choices;
  ISystemServices& system;
  IInstallation& installation;
  // The box that asks on the wizard's behalf (the installation's prompts,
  // the close question); the wizard makes itself its owner.
  WinMessageBox& ownedBox;
  // Filled as the run ends, read by the application after the wizard.
  RunOutcome& outcome;
};

}  // namespace vwi
