// The installation worker: re-checks the version, downloads the items,
// installs them in order and writes the post-install settings on a thread of
// its own, ending in Finished, Failed or Cancelled. It talks to the user
// interface only through InstallStatus.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "download/payload_files.h"
#include "install/download_control.h"
#include "install/install_item.h"
#include "install/install_status.h"
#include "install/install_steps.h"
#include "install/installer_message.h"

namespace vwi {

class InstallWorker {
 public:
  // Creates the events (through the steps).
  InstallWorker(InstallStatus& status, IInstallSteps& steps);
  InstallWorker(const InstallWorker&) = delete;
  InstallWorker& operator=(const InstallWorker&) = delete;
  // Waits for the thread to end, then releases the events.
  ~InstallWorker();

  // Builds the items and starts the worker thread. Called once.
  void StartInstall();
  // The user confirmed cancelling: Cancelling, both events set and
  // cancelRequested (before the start, Cancelled at once). Nothing happens
  // once the run has reached a final state.
  void CancelInstall();
  // Waits until the worker thread has ended (no effect when none runs).
  void Join();

  // Installs the items in order; false when cancelled or a package failed.
  // Runs on the worker thread (public for the steps and for tests).
  bool InstallItems();
  // The worker body; runs on the worker thread.
  void Run();

  // Reports through the shared status; false when the report was ignored.
  bool ReportStatus(InstallState state, int32_t index, int32_t percent, std::u16string text);
  bool IsCancelling() const;

  // Called on the worker thread once the final state has been reported, so
  // whoever shows the run need not wait for its next poll to see the end.
  std::function<void()> onEnded;

  InstallStatus& status;
  std::vector<InstallItem> items;
  // The events and the cancel flag the steps share.
  DownloadControl control;
  // Why the run did not finish, final once the worker has reported a final
  // state (None after a finished run).
  FailureCause failureCause = FailureCause::None;
  int32_t itemIndex = 0;
  // maxPercent, basePercent, totalTicks, forward, position, firstMessage and
  // homepageUrl of the installer-message handler.
  InstallerMessageState installer;
  std::u16string currentItemName;
  // A package returned 3010: the installation needs a restart to complete.
  bool restartRequired = false;
  // The result of the package that failed; 0 while none has.
  uint32_t installerResult = 0;
  // The downloaded and shipped packages, held from their check until the
  // items have been installed, so that none can be changed in between.
  HeldPayloads heldPayloads;

 private:
  // The thread's steps in order; false on the first that fails or throws.
  bool RunSteps();
  // Keeps the cause of a step that failed; false when it did not pass.
  bool TakeStepResult(StepResult result);
  // Keeps what a package's installation said (a restart asked for, the
  // result and cause of a failure); false when it failed.
  bool TakePackageResult(const PackageResult& result);

  IInstallSteps& steps_;
  StepResult failedStep_;  // the re-check or download phase that failed, for its box
  std::thread thread_;
  bool prepared_ = false;
};

// True for a transform file (".mst" without regard to case): it is applied to
// the main package and never installed on its own.
bool IsTransformPath(const std::u16string& path);

}  // namespace vwi
