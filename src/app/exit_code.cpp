#include "app/exit_code.h"

#include "context/installer_context.h"
#include "validation/version_check.h"

namespace vwi {

int ExitCodeForCause(FailureCause cause, uint32_t installerResult) {
  switch (cause) {
    case FailureCause::DownloadFailed:
      return exit_code::kDownloadFailed;
    case FailureCause::InstallerTooOld:
      // Only reached when the newer installer the server requires could not
      // be fetched (or validation was skipped): its source is absent.
      return exit_code::kDownloadFailed;
    case FailureCause::ManifestUnusable:
      return exit_code::kManifestUnusable;
    case FailureCause::PayloadIntegrity:
      return exit_code::kPayloadIntegrity;
    case FailureCause::DiskSpace:
      return exit_code::kDiskFull;
    case FailureCause::PackageFailed:
      return installerResult == exit_code::kCancelled ? exit_code::kCancelled : exit_code::kFailed;
    case FailureCause::ProgramFailed:
      return exit_code::kFailed;
    case FailureCause::InstallerBusy:
      return exit_code::kInstallerBusy;
    case FailureCause::Cancelled:
      return exit_code::kCancelled;
    case FailureCause::AlreadyInstalled:
      return exit_code::kAlreadyInstalled;
    case FailureCause::None:
      break;
  }
  return exit_code::kFailed;
}

int ExitCodeFor(const RunOutcome& outcome) {
  switch (outcome.state) {
    case InstallState::Finished:
      return outcome.restartRequired ? exit_code::kRestartRequired : exit_code::kInstalled;
    case InstallState::Cancelled:
      return exit_code::kCancelled;
    case InstallState::Failed:
      return ExitCodeForCause(outcome.cause, outcome.installerResult);
    default:
      break;
  }
  // No final state: the wizard closed before the worker finished (the
  // settings panel's close question, running applications the user would
  // not close), unless a cause says otherwise.
  if (outcome.cause == FailureCause::None) return exit_code::kCancelled;
  return ExitCodeForCause(outcome.cause, outcome.installerResult);
}

int ExitCodeFor(const RunReport& report) {
  if (report.anotherCopyRuns || report.helpShown) return exit_code::kInstalled;
  if (report.initialiseCode == kManifestUnusable) return exit_code::kManifestUnusable;
  if (report.initialiseCode != kInitialiseOk) return exit_code::kFailed;
  if (report.layoutRan) {
    return report.layoutCause == FailureCause::None ? exit_code::kInstalled
                                                    : ExitCodeForCause(report.layoutCause);
  }
  const auto validation = static_cast<ValidationOutcome>(report.validationOutcome);
  if (validation == ValidationOutcome::HandOver) {
    // Outside silent mode the user sees the newer installer take over; the
    // run itself ended well, if it could be started at all.
    if (!report.handOverStarted) return exit_code::kFailed;
    return report.silentMode ? report.handOverExitCode : exit_code::kInstalled;
  }
  if (validation != ValidationOutcome::Proceed) return ExitCodeForCause(report.validationCause);
  if (!report.wizard.wizardRan) return exit_code::kFailed;
  // The wizard's worker refuses to run when the server wants a newer
  // installer: why that one could not be had is the validator's cause.
  if (report.wizard.cause == FailureCause::InstallerTooOld &&
      report.validationCause != FailureCause::None) {
    return ExitCodeForCause(report.validationCause);
  }
  return ExitCodeFor(report.wizard);
}

}  // namespace vwi
