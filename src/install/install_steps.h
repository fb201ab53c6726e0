// What the installation worker does on the machine, step by step. The
// worker decides the order, the states and the cancellation; these steps
// carry each part out (the Windows Installer, processes, the registry, the
// server) and native tests replace them.
#pragma once

#include <cstdint>
#include <string>

#include "install/install_item.h"
#include "install/install_items.h"
#include "install/step_result.h"

namespace vwi {

class InstallWorker;

// What installing one package gave: the installer's result (0 and 3010 are
// successes) and, for a failure, its cause when the step knows a closer one
// than "the package failed".
struct PackageResult {
  uint32_t installerResult = 0;
  FailureCause cause = FailureCause::None;
};

class IInstallSteps {
 public:
  virtual ~IInstallSteps() = default;

  // When the worker is made: creates its two events (cancel not signalled,
  // run signalled) in its control record, so that the close question can
  // pause a download from the first moment.
  virtual void CreateEvents(InstallWorker& worker) = 0;
  // Before the thread starts: the plan of the run (its items and their
  // weights); the internet session is opened.
  virtual InstallPlan Prepare() = 0;
  // Sets both events so that a paused download sees the cancellation.
  virtual void SignalCancel(InstallWorker& worker) = 0;
  // Closes the events; called once, when the worker goes (after its thread).
  virtual void Release(InstallWorker& worker) = 0;

  // The worker thread's steps, in order.
  virtual StepResult RecheckVersion(InstallWorker& worker) = 0;
  virtual StepResult DownloadItems(InstallWorker& worker) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  virtual PackageResult InstallPackage(InstallWorker& worker, const InstallItem& item) = 0;
  virtual bool RunProgram(InstallWorker& worker, const InstallItem& item) = 0;
  virtual void ApplyPostInstallSettings(InstallWorker& worker) = 0;
  // Hands the captured home page to the installer context.
  virtual void PublishHomepage(const std::u16string& homepageUrl) = 0;
  // The box that tells the user why the downloads failed (DownloadFailureText).
  virtual void ShowDownloadFailure(const StepResult& failed) = 0;
};

}  // namespace vwi
