#include "install/post_install_settings.h"

#include "install/post_install_values.h"

namespace vwi {

bool ApplyPostInstallSettings(const InstallChoices& choices, const InstallerContext& context,
                              const AppFlags& flags, IRegistry& registry) {
  PostInstallInputs in;
  in.productInstalled = flags.productInstalled;
  in.installFolder = choices.installFolder;
  in.mainExecutable = context.manifest.mainExecutable;
  in.registryPath = context.manifest.registryPath;
  in.multipleLanguages = context.multipleLanguages;
  in.languageId = choices.languageId;
  WriteRegistryValues(PlanPostInstallValues(in), registry);
  return true;
}

}  // namespace vwi
