#include "install/win/win_installation.h"

#include "download/win/internet_session.h"
#include "install/registry_prerequisite_probe.h"
#include "platform/registry.h"

namespace vwi {

WinInstallation::WinInstallation(InstallerContext& context, const AppFlags& flags,
                                 ISystemServices& system, InstallStatus& status,
                                 IMessageBox& ownedBox, BusyInstallerPolicy busyPolicy)
    : context_(context),
      flags_(flags),
      system_(system),
      status_(status),
      languagePacks_(context.manifest.registryPath, SystemRegistry()),
      steps_(InstallEnvironment{context, context.workFolders, flags, system, SystemRegistry(),
                                ownedBox}),
      worker_(status, steps_, busyPolicy) {}

void WinInstallation::Start(InstallChoices choices, std::function<void()> onEnded) {
  // The plan is made here, before the thread exists, from what the user chose.
  RegistryPrerequisiteProbe probe(SystemRegistry());
  InstallPlan plan = BuildInstallItems(context_, flags_, choices.languageId, probe, languagePacks_,
                                       system_.TickCount());
  OpenInternetSession();
  worker_.onEnded = std::move(onEnded);
  worker_.StartInstall(std::move(plan), std::move(choices));
}

}  // namespace vwi
