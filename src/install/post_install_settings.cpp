#include "install/post_install_settings.h"

#include "install/post_install_values.h"

namespace vwi {

bool ApplyPostInstallSettings(InstallerContext& context, const AppFlags& flags,
                              IRegistry& registry) {
  PostInstallInputs in;
  in.productInstalled = flags.productInstalled != 0;
  in.installFolder = context.installFolder;
  in.mainExecutable = context.manifest.mainExecutable;
  in.registryPath = context.manifest.registryPath;
  in.multipleLanguages = context.multipleLanguages != 0;
  in.languageId = context.strings.languageId;
  const auto values = PlanPostInstallValues(in);
  context.installFolder = in.installFolder;
  WriteRegistryValues(values, registry);
  return true;
}

}  // namespace vwi
