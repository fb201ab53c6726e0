#include "install/win/win_installation.h"

#include "install/catalogue_texts.h"
#include "platform/registry.h"

namespace vwi {

WinInstallation::WinInstallation(InstallerContext& context, AppFlags& flags,
                                 ISystemServices& system, InstallStatus& status,
                                 IMessageBox& ownedBox)
    : languagePacks_(context.manifest.registryPath, SystemRegistry()),
      steps_(InstallEnvironment{context, flags, system, SystemRegistry(), languagePacks_, ownedBox,
                                plainBox_, InstallTextsFrom(context.strings)}),
      worker_(status, steps_) {}

void WinInstallation::Start(std::function<void()> onEnded) {
  worker_.onEnded = std::move(onEnded);
  worker_.StartInstall();
}

void WinInstallation::Pause() {
  if (worker_.control.runEvent) ResetEvent(worker_.control.runEvent);
}

void WinInstallation::Resume() {
  if (worker_.control.runEvent) SetEvent(worker_.control.runEvent);
}

void WinInstallation::Cancel() { worker_.CancelInstall(); }

RunOutcome WinInstallation::Outcome() const {
  RunOutcome outcome;
  outcome.finalState = State();
  outcome.cause = worker_.failureCause;
  outcome.restartRequired = worker_.restartRequired;
  outcome.installerResult = worker_.installerResult;
  return outcome;
}

}  // namespace vwi
