#include "install/install_worker.h"

#include <exception>

#include "download/watched_calls.h"
#include "install/installer_message.h"
#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {

namespace {

// What the log adds to a result that is not a plain success or failure.
std::u16string VerdictNote(InstallerVerdict verdict) {
  return verdict == InstallerVerdict::RestartNeeded ? u": a restart is needed to finish" : u"";
}

}  // namespace

InstallWorker::InstallWorker(InstallStatus& status, IInstallSteps& steps,
                             BusyInstallerPolicy busyPolicy)
    : status_(status), steps_(steps), busyPolicy_(busyPolicy) {}

InstallWorker::~InstallWorker() { Join(); }

void InstallWorker::StartInstall(InstallPlan plan, InstallChoices choices) {
  // Once cancelled (before the start) the run is over: a thread started now
  // would overwrite the final Cancelled.
  if (started_ || cancel_.IsCancelled()) return;
  items_ = std::move(plan.items);
  choices_ = std::move(choices);
  status_.SetWeights(std::move(plan.downloadWeights), std::move(plan.installWeights));
  started_ = true;
  thread_ = std::thread([this] { Run(); });
}

void InstallWorker::CancelInstall() {
  // The check and the change are one step under the status lock: a run that
  // has just ended stays ended. Before the start there is no thread to stop:
  // the run ends Cancelled at once.
  if (!status_.ReportStatus(started_ ? InstallState::Cancelling : InstallState::Cancelled, -1, 0,
                            u"")) {
    return;
  }
  if (!started_) {
    std::lock_guard lock(resultLock_);
    published_.cause = FailureCause::Cancelled;  // final at once: no thread will set it
  }
  cancel_.Cancel();
}

void InstallWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

InstallResult InstallWorker::Result() const {
  const InstallState state = status_.Read().state;
  std::lock_guard lock(resultLock_);
  InstallResult result = published_;
  result.state = state;
  return result;
}

bool InstallWorker::IsCancelling() const {
  return status_.Read().state == InstallState::Cancelling;
}

bool InstallWorker::RunSteps() {
  try {
    return TakeStepResult(steps_.RecheckVersion(cancel_)) &&
           TakeStepResult(steps_.DownloadItems(items_, choices_, status_, cancel_, held_)) &&
           InstallItems();
  } catch (const std::exception&) {
    // Memory ran out (a hostile answer, a huge list): nothing escapes the
    // thread, the run fails like any other.
    if (working_.cause == FailureCause::None) working_.cause = FailureCause::PackageFailed;
    return false;
  }
}

void InstallWorker::Run() {
  const bool succeeded = RunSteps();
  // Every item has been installed or run (or never will be).
  held_.clear();
  if (succeeded) {
    steps_.ApplyPostInstallSettings(choices_);
    if (!IsCancelling()) ReportFinal(InstallState::Finished);
  } else if (!IsCancelling()) {
    // A cancelled run says nothing more: the user asked for it.
    ReportFinal(InstallState::Failed);
  }
  // The cause is final before the final report, which readers wait for.
  if (IsCancelling()) {
    working_.cause = FailureCause::Cancelled;
    ReportFinal(InstallState::Cancelled);
  }
  if (onEnded) onEnded();
}

void InstallWorker::ReportFinal(InstallState state) {
  {
    std::lock_guard lock(resultLock_);
    published_ = working_;
    published_.state = state;
    // The page a package reported belongs to a finished run alone.
    if (state != InstallState::Finished) published_.homepageUrl.clear();
  }
  if (status_.ReportStatus(state, -1, 0, u"")) {
    InstallResult logged = working_;
    logged.state = state;
    LogLine(InstallResultLogEntry(logged));
  }
}

bool InstallWorker::InstallItems() {
  int32_t index = 0;
  for (const InstallItem& item : items_) {
    if (cancel_.IsCancelled()) return false;
    if (!steps_.FileExists(item)) {
      LogLine(u"Item " + item.name + u": skipped, its file is missing");
      continue;
    }
    if (!InstallOne(item, index)) return false;
    ++index;
  }
  return true;
}

bool InstallWorker::InstallOne(const InstallItem& item, int32_t index) {
  status_.ReportStatus(InstallState::Installing, index, 0, item.name);
  if (IsTransformPath(item.localPath)) {
    // Applied through the main package's TRANSFORMS property.
    LogLine(u"Item " + item.name + u": transform, applied with the main package");
  } else if (!InstallWhenFree(item, index)) {
    return false;
  }
  status_.ReportStatus(InstallState::Installing, index, 100, item.name);
  return true;
}

bool InstallWorker::InstallWhenFree(const InstallItem& item, int32_t index) {
  uint32_t waited = 0;
  for (uint32_t answers = 1;; ++answers) {
    const InstallerVerdict verdict = item.runAsProgram ? RunOne(item) : InstallPackage(item, index);
    if (verdict != InstallerVerdict::Busy) return verdict != InstallerVerdict::Failed;
    const std::optional<uint32_t> wait = NextBusyWait(busyPolicy_, answers, waited);
    if (!wait) {
      LogLine(u"Item " + item.name + u": another installation was still in progress after " +
              DecimalText(static_cast<int64_t>(busyPolicy_.limitMilliseconds / 1000)) +
              u" s; giving up");
      return Failed(item, FailureCause::InstallerBusy, installer_result::kBusy);
    }
    LogLine(u"Item " + item.name + u": another installation is in progress (" +
            DecimalText(installer_result::kBusy) + u"); trying again in " +
            DecimalText(static_cast<int64_t>(*wait)) + u" ms");
    status_.ReportInstallerBusy();
    if (!WaitUnlessCancelled(cancel_, *wait, {}, *busyPolicy_.clock)) return false;
    waited += *wait;
    status_.ReportStatus(InstallState::Installing, index, 0, item.name);
  }
}

InstallerVerdict InstallWorker::RunOne(const InstallItem& item) {
  const ProgramResult run = steps_.RunProgram(item, cancel_);
  // A program that cannot be started does not stop the sequence.
  if (!run.started) {
    LogLine(u"Item " + item.name + u": program not started");
    return InstallerVerdict::Installed;
  }
  // Left running by a cancel: the run ends cancelled.
  if (!run.exitCode) return InstallerVerdict::Failed;
  const uint32_t code = *run.exitCode;
  const InstallerVerdict verdict = ProgramVerdict(code);
  LogLine(u"Item " + item.name + u": program ended with exit code " + DecimalText(code) +
          VerdictNote(verdict));
  if (verdict == InstallerVerdict::RestartNeeded) working_.restartRequired = true;
  if (verdict == InstallerVerdict::Failed) Failed(item, FailureCause::ProgramFailed, code);
  return verdict;
}

InstallerVerdict InstallWorker::InstallPackage(const InstallItem& item, int32_t index) {
  const auto onPercent = [this, index, &item](int32_t percent) {
    status_.ReportStatus(InstallState::Installing, index, percent, item.name);
  };
  const PackageResult result = steps_.InstallPackage(item, choices_, onPercent, cancel_);
  const InstallerVerdict verdict = PackageVerdict(result.installerResult);
  // The first page a package reports is the one the success panel opens.
  if (verdict != InstallerVerdict::Busy && working_.homepageUrl.empty()) {
    working_.homepageUrl = result.homepageUrl;
  }
  switch (verdict) {
    case InstallerVerdict::Installed:
      LogLine(u"Item " + item.name + u": installed");
      break;
    case InstallerVerdict::RestartNeeded:
      working_.restartRequired = true;
      LogLine(u"Item " + item.name + u": installed, installer result " +
              DecimalText(result.installerResult) + VerdictNote(verdict));
      break;
    case InstallerVerdict::Busy:
      break;
    case InstallerVerdict::Failed:
      // A cause the step named itself stays.
      Failed(item, result.cause != FailureCause::None ? result.cause : FailureCause::PackageFailed,
             result.installerResult);
      LogLine(u"Item " + item.name + u": failed, installer result " +
              DecimalText(result.installerResult) + u" (" +
              std::u16string(FailureCauseName(working_.cause)) + u")");
      break;
  }
  return verdict;
}

bool InstallWorker::Failed(const InstallItem& item, FailureCause cause, uint32_t code) {
  working_.cause = cause;
  working_.installerResult = code;
  working_.failedItem = item.name;
  return false;
}

bool InstallWorker::TakeStepResult(StepResult result) {
  if (result.passed) return true;
  working_.cause = result.cause;
  working_.failedItem = std::move(result.failedItem);
  working_.transfer = result.transfer;
  working_.failedAddress = std::move(result.failedAddress);
  working_.megabytesNeeded = result.megabytesNeeded;
  return false;
}

}  // namespace vwi
