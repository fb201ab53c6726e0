#include "install/install_worker.h"

#include <exception>

#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {

InstallWorker::InstallWorker(InstallStatus& status, IInstallSteps& steps)
    : status(status), steps_(steps) {
  steps_.CreateEvents(*this);
}

InstallWorker::~InstallWorker() {
  Join();
  steps_.Release(*this);
}

void InstallWorker::StartInstall() {
  // Once cancelled (before the start, so with no events yet) the run is over:
  // a thread started now would overwrite the final Cancelled.
  if (prepared_ || control.cancelRequested) return;
  InstallPlan plan = steps_.Prepare();
  items = std::move(plan.items);
  status.SetWeights(std::move(plan.downloadWeights), std::move(plan.installWeights));
  prepared_ = true;
  thread_ = std::thread([this] { Run(); });
}

void InstallWorker::CancelInstall() {
  // Before the start (or without events) there is no thread to stop: the
  // run ends Cancelled at once.
  const bool running = prepared_ && control.cancelEvent && control.runEvent;
  // The check and the change are one step under the status lock: a run that
  // has just ended stays ended.
  if (!ReportStatus(running ? InstallState::Cancelling : InstallState::Cancelled, -1, 0, u"")) {
    return;
  }
  // The flag comes first: the worker the signal wakes reads it before it
  // starts anything else.
  control.cancelRequested = true;
  if (running) {
    steps_.SignalCancel(*this);
  } else {
    failureCause = FailureCause::Cancelled;  // final at once: no thread will set it
  }
}

void InstallWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

bool InstallWorker::ReportStatus(InstallState state, int32_t index, int32_t percent,
                                 std::u16string text) {
  return status.ReportStatus(state, index, percent, std::move(text));
}

bool InstallWorker::IsCancelling() const { return status.Read().state == InstallState::Cancelling; }

bool InstallWorker::RunSteps() {
  try {
    return TakeStepResult(steps_.RecheckVersion(*this)) &&
           TakeStepResult(steps_.DownloadItems(*this)) && InstallItems();
  } catch (const std::exception&) {
    // Memory ran out (a hostile answer, a huge list): nothing escapes the
    // thread, the run fails like any other.
    if (failureCause == FailureCause::None) {
      failureCause = FailureCause::PackageFailed;
    }
    return false;
  }
}

void InstallWorker::Run() {
  const bool succeeded = RunSteps();
  // Every item has been installed or run (or never will be).
  heldPayloads.clear();
  if (succeeded) {
    steps_.ApplyPostInstallSettings(*this);
    steps_.PublishHomepage(installer.homepageUrl);
    if (!IsCancelling()) ReportStatus(InstallState::Finished, -1, 0, u"");
  } else if (!IsCancelling()) {
    // A cancelled run says nothing more: the user asked for it.
    if (IsToldAsDownloadFailure(failedStep_.cause)) steps_.ShowDownloadFailure(failedStep_);
    if (!IsCancelling()) ReportStatus(InstallState::Failed, -1, 0, u"");
  }
  // The cause is final before the final report, which readers wait for.
  if (IsCancelling()) {
    failureCause = FailureCause::Cancelled;
    ReportStatus(InstallState::Cancelled, -1, 0, u"");
  }
  if (onEnded) onEnded();
}

bool InstallWorker::InstallItems() {
  itemIndex = 0;
  for (const InstallItem& item : items) {
    if (control.cancelRequested) return false;
    if (!steps_.FileExists(item.localPath)) {
      LogLine(u"Item " + item.name + u": skipped, its file is missing");
      continue;
    }
    ReportStatus(InstallState::Installing, itemIndex, 0, item.name);
    if (IsTransformPath(item.localPath)) {
      // Applied through the main package's TRANSFORMS property.
      LogLine(u"Item " + item.name + u": transform, applied with the main package");
    } else if (item.runAsProgram) {
      // A program that fails does not stop the sequence.
      const bool started = steps_.RunProgram(*this, item);
      LogLine(u"Item " + item.name + (started ? u": program run" : u": program not started"));
    } else if (!TakePackageResult(steps_.InstallPackage(*this, item))) {
      LogLine(u"Item " + item.name + u": failed, installer result " + DecimalText(installerResult) +
              u" (" + std::u16string(FailureCauseName(failureCause)) + u")");
      return false;
    } else {
      LogLine(u"Item " + item.name + u": installed");
    }
    ReportStatus(InstallState::Installing, itemIndex, 100, item.name);
    ++itemIndex;
  }
  return true;
}

bool InstallWorker::TakeStepResult(StepResult result) {
  if (result.passed) return true;
  failureCause = result.cause;
  failedStep_ = std::move(result);
  return false;
}

bool InstallWorker::TakePackageResult(const PackageResult& result) {
  if (result.installerResult == kInstallerRestartRequired) restartRequired = true;
  if (IsInstallerSuccess(result.installerResult)) return true;
  installerResult = result.installerResult;
  // A cause the step named itself stays.
  failureCause = result.cause != FailureCause::None ? result.cause : FailureCause::PackageFailed;
  return false;
}

bool IsTransformPath(const std::u16string& path) { return EndsWithIgnoreAsciiCase(path, u".mst"); }

}  // namespace vwi
