#include "app/exit_code.h"

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "validation/version_check.h"

namespace vwi {
namespace {

RunOutcome Ended(InstallState state, FailureCause cause = FailureCause::None) {
  RunOutcome outcome;
  outcome.wizardRan = true;
  outcome.state = state;
  outcome.cause = cause;
  return outcome;
}

RunReport WizardRun(const RunOutcome& outcome) {
  RunReport report;
  report.wizard = outcome;
  return report;
}

TEST(ExitCode, FinishedRunsAreInstalledOrNeedARestart) {
  EXPECT_EQ(ExitCodeFor(WizardRun(Ended(InstallState::Finished))), 0);
  RunOutcome restart = Ended(InstallState::Finished);
  restart.restartRequired = true;
  EXPECT_EQ(ExitCodeFor(WizardRun(restart)), 3010);
}

TEST(ExitCode, EachFailureCauseHasItsCode) {
  const std::pair<FailureCause, int> table[] = {
      {FailureCause::DownloadFailed, 1612},
      {FailureCause::ManifestUnusable, 1610},
      {FailureCause::PayloadIntegrity, 1620},
      {FailureCause::DiskSpace, 112},
      {FailureCause::PackageFailed, 1603},
      {FailureCause::Cancelled, 1602},
      {FailureCause::AlreadyInstalled, 1638},
      {FailureCause::InstallerTooOld, 1612},
      {FailureCause::InstallerBusy, 1618},
      {FailureCause::ProgramFailed, 1603},
      {FailureCause::None, 1603},
  };
  for (const auto& [cause, code] : table) {
    EXPECT_EQ(ExitCodeFor(WizardRun(Ended(InstallState::Failed, cause))), code)
        << static_cast<int>(cause);
  }
}

TEST(ExitCode, APackageCancelledInItsOwnBoxIsACancellation) {
  RunOutcome outcome = Ended(InstallState::Failed, FailureCause::PackageFailed);
  outcome.installerResult = 1602;
  EXPECT_EQ(ExitCodeFor(WizardRun(outcome)), 1602);
  outcome.installerResult = 1603;
  EXPECT_EQ(ExitCodeFor(WizardRun(outcome)), 1603);
}

TEST(ExitCode, CancelledRunsAndWizardsClosedBeforeTheInstallation) {
  EXPECT_EQ(ExitCodeFor(WizardRun(Ended(InstallState::Cancelled, FailureCause::Cancelled))), 1602);
  // Closed from the settings panel: the worker never ran.
  EXPECT_EQ(ExitCodeFor(WizardRun(Ended(InstallState::Initial))), 1602);
  // Running applications the user would not close.
  EXPECT_EQ(ExitCodeFor(WizardRun(Ended(InstallState::Initial, FailureCause::Cancelled))), 1602);
}

TEST(ExitCode, ASecondCopyEndsQuietly) {
  RunReport report;
  report.anotherCopyRuns = true;
  EXPECT_EQ(ExitCodeFor(report), 0);
}

TEST(ExitCode, SetUpFailuresKeepAnErrorCode) {
  RunReport report;
  report.initialiseCode = kManifestUnusable;
  EXPECT_EQ(ExitCodeFor(report), 1610);
  report.initialiseCode = kFolderFailure;
  EXPECT_EQ(ExitCodeFor(report), 1603);
  report.initialiseCode = kProgramPathUnavailable;
  EXPECT_EQ(ExitCodeFor(report), 1603);
}

TEST(ExitCode, TheValidatorsStopsTellTheirCause) {
  RunReport report;
  report.validationOutcome = static_cast<int32_t>(ValidationOutcome::Stop);
  report.validationCause = FailureCause::AlreadyInstalled;
  EXPECT_EQ(ExitCodeFor(report), 1638);
  report.validationCause = FailureCause::DownloadFailed;
  EXPECT_EQ(ExitCodeFor(report), 1612);
  report.validationCause = FailureCause::DiskSpace;
  EXPECT_EQ(ExitCodeFor(report), 112);
}

TEST(ExitCode, AHandOverEndsWithTheNewerCopysCodeOnlyWhenSilent) {
  RunReport report;
  report.validationOutcome = static_cast<int32_t>(ValidationOutcome::HandOver);
  report.handOverExitCode = 1638;
  EXPECT_EQ(ExitCodeFor(report), 0);
  report.silentMode = true;
  EXPECT_EQ(ExitCodeFor(report), 1638);
  // "The updater cannot be launched!": nothing was installed.
  report.silentMode = false;
  report.handOverStarted = false;
  EXPECT_EQ(ExitCodeFor(report), 1603);
}

TEST(ExitCode, ARefusedNewerInstallerNamesWhyItWasRefused) {
  // The validator's download of the newer installer failed its digest; the
  // wizard's worker then refused to run with this old one.
  RunReport report = WizardRun(Ended(InstallState::Failed, FailureCause::InstallerTooOld));
  report.validationCause = FailureCause::PayloadIntegrity;
  EXPECT_EQ(ExitCodeFor(report), 1620);
  report.validationCause = FailureCause::None;
  EXPECT_EQ(ExitCodeFor(report), 1612);
}

TEST(ExitCode, ShowingTheOptionsIsASuccess) {
  RunReport report;
  report.helpShown = true;
  EXPECT_EQ(ExitCodeFor(report), 0);
}

TEST(ExitCode, ALayoutEndsWithItsDownloadsCode) {
  RunReport report;
  report.layoutRan = true;
  EXPECT_EQ(ExitCodeFor(report), 0);
  for (const auto& [cause, code] :
       {std::pair{FailureCause::DownloadFailed, 1612},
        std::pair{FailureCause::PayloadIntegrity, 1620}, std::pair{FailureCause::DiskSpace, 112},
        std::pair{FailureCause::ManifestUnusable, 1610},
        std::pair{FailureCause::PackageFailed, 1603}}) {
    report.layoutCause = cause;
    EXPECT_EQ(ExitCodeFor(report), code);
  }
}

}  // namespace
}  // namespace vwi
