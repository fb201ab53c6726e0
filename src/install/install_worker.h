// The installation worker: re-checks the version, downloads the items,
// installs them in order and writes the post-install settings on a thread of
// its own, ending in Finished, Failed or Cancelled. It takes the plan and the
// user's choices as values when it starts, reports through InstallStatus,
// and leaves what became of the run in its result.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "context/install_choices.h"
#include "download/cancel_token.h"
#include "download/payload_files.h"
#include "install/install_item.h"
#include "install/install_items.h"
#include "install/install_result.h"
#include "install/install_status.h"
#include "install/install_steps.h"
#include "install/installer_verdict.h"

namespace vwi {

class InstallWorker {
 public:
  // `busyPolicy`: how long a Windows Installer busy with another
  // installation (1618) is waited for.
  InstallWorker(InstallStatus& status, IInstallSteps& steps, BusyInstallerPolicy busyPolicy = {});
  InstallWorker(const InstallWorker&) = delete;
  InstallWorker& operator=(const InstallWorker&) = delete;
  // Waits for the thread to end.
  ~InstallWorker();

  // Takes the plan and the choices and starts the worker thread. Called
  // once; nothing happens once the run was cancelled.
  void StartInstall(InstallPlan plan, InstallChoices choices);
  // The user confirmed cancelling: Cancelling (before the start, Cancelled
  // at once), and the cancel is signalled. Nothing happens once the run has
  // reached a final state.
  void CancelInstall();
  // Holds the downloads (none reads while paused) and lets them go on.
  void Pause() { cancel_.Pause(); }
  void Resume() { cancel_.Resume(); }
  // Waits until the worker thread has ended (no effect when none runs).
  void Join();

  // Called on the worker thread once the final state has been reported, so
  // whoever shows the run need not wait for its next poll to see the end.
  std::function<void()> onEnded;

  // What the run came to; final once the status has a final state.
  InstallResult Result() const;
  // The items of the plan (empty before the start).
  const std::vector<InstallItem>& items() const { return items_; }

 private:
  // The worker body; runs on the worker thread.
  void Run();
  // The thread's steps in order; false on the first that fails or throws.
  bool RunSteps();
  // Installs the items in order; false when cancelled or a package failed.
  bool InstallItems();
  bool InstallOne(const InstallItem& item, int32_t index);
  // Installs or runs the item, again after a wait while the Windows
  // Installer is busy with another installation; false when it failed, the
  // wait ran out or the run was cancelled.
  bool InstallWhenFree(const InstallItem& item, int32_t index);
  // One try of a program or a package; what it said is kept.
  InstallerVerdict RunOne(const InstallItem& item);
  InstallerVerdict InstallPackage(const InstallItem& item, int32_t index);
  // Keeps the cause, the code and the item of a failure; false.
  bool Failed(const InstallItem& item, FailureCause cause, uint32_t code);
  bool IsCancelling() const;
  // Publishes the result and reports the final state.
  void ReportFinal(InstallState state);
  // Keeps the cause of a step that failed; false when it did not pass.
  bool TakeStepResult(StepResult result);

  InstallStatus& status_;
  IInstallSteps& steps_;
  BusyInstallerPolicy busyPolicy_;
  CancelToken cancel_;
  std::vector<InstallItem> items_;
  InstallChoices choices_;
  // Built by the worker thread alone, and published under its lock just
  // before the final state is reported.
  InstallResult working_;
  mutable std::mutex resultLock_;
  InstallResult published_;
  // The downloaded and shipped packages, held from their check until the
  // items have been installed, so that none can be changed in between.
  HeldPayloads held_;
  std::thread thread_;
  bool started_ = false;
};

}  // namespace vwi
