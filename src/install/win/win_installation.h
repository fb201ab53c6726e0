// The installation on this machine: the worker over the Windows steps, with
// the language packs read from the registry. Whoever runs the wizard owns
// one for the wizard's whole life.
#pragma once

#include "install/install_worker.h"
#include "install/installation.h"
#include "install/registry_language_packs.h"
#include "install/win/win_install_steps.h"
#include "platform/win/win_message_box.h"

namespace vwi {

class WinInstallation final : public IInstallation {
 public:
  // `ownedBox` asks the user on behalf of the window that shows the run.
  // The context is read (on this thread before the start, by the worker
  // after it); its work folders are the run's.
  WinInstallation(InstallerContext& context, const AppFlags& flags, ISystemServices& system,
                  InstallStatus& status, IMessageBox& ownedBox,
                  BusyInstallerPolicy busyPolicy = {});

  void Start(InstallChoices choices, std::function<void()> onEnded) override;
  void Pause() override { worker_.Pause(); }
  void Resume() override { worker_.Resume(); }
  void Cancel() override { worker_.CancelInstall(); }
  void Join() override { worker_.Join(); }
  InstallState State() const override { return status_.Read().state; }
  ProgressSnapshot Snapshot(uint32_t nowTick) override { return status_.Snapshot(nowTick); }
  InstallResult Result() const override { return worker_.Result(); }

 private:
  const InstallerContext& context_;
  const AppFlags& flags_;
  ISystemServices& system_;
  InstallStatus& status_;
  RegistryLanguagePacks languagePacks_;
  WinInstallSteps steps_;
  // Declared last: destroyed first, it waits for its thread while the
  // steps it uses still exist.
  InstallWorker worker_;
};

}  // namespace vwi
