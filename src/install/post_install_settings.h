// The settings written after a fresh installation, from the installer
// context and the application's flags.
#pragma once

#include "context/app_flags.h"
#include "context/installer_context.h"
#include "platform/registry.h"

namespace vwi {

// Records the installation folder, the executable and the chosen language in
// the registry (nothing after a repair). Strips a trailing backslash from the
// context's installFolder. Failed writes are passed over: always true.
bool ApplyPostInstallSettings(InstallerContext& context, const AppFlags& flags,
                              IRegistry& registry);

}  // namespace vwi
