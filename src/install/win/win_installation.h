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
  WinInstallation(InstallerContext& context, AppFlags& flags, ISystemServices& system,
                  InstallStatus& status, IMessageBox& ownedBox);

  void Start(std::function<void()> onEnded) override;
  void Pause() override;
  void Resume() override;
  void Cancel() override;
  void Join() override { worker_.Join(); }
  InstallState State() const override { return worker_.status.Read().state; }
  ProgressSnapshot Snapshot(const ProgressTexts& texts, uint32_t nowTick) override {
    return worker_.status.Snapshot(texts, nowTick);
  }
  RunOutcome Outcome() const override;

 private:
  WinMessageBox plainBox_;
  RegistryLanguagePacks languagePacks_;
  WinInstallSteps steps_;
  // Declared last: destroyed first, it waits for its thread while the
  // steps and boxes it uses still exist.
  InstallWorker worker_;
};

}  // namespace vwi
