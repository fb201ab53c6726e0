// The settings written after a fresh installation, from the user's choices,
// the installer context and the application's flags.
#pragma once

#include "context/app_flags.h"
#include "context/install_choices.h"
#include "context/installer_context.h"
#include "platform/registry.h"

namespace vwi {

// Records the installation folder (without a trailing backslash of the
// choice's), the executable and the chosen language in the registry
// (nothing after a repair). Failed writes are passed over: always true.
bool ApplyPostInstallSettings(const InstallChoices& choices, const InstallerContext& context,
                              const AppFlags& flags, IRegistry& registry);

}  // namespace vwi
