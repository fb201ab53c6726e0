#include "app/run_log_entries.h"

#include <gtest/gtest.h>

#include "validation/version_check.h"

namespace vwi {
namespace {

TEST(RunLogEntries, TheLastLineNamesTheStateTheCauseAndTheCode) {
  RunReport report;
  report.wizard.wizardRan = true;
  report.wizard.state = InstallState::Finished;
  report.wizard.restartRequired = true;
  EXPECT_EQ(ExitLogEntry(report, 3010),
            u"Run ended: installation finished, restart required; exit code 3010");

  report.wizard.state = InstallState::Failed;
  report.wizard.restartRequired = false;
  report.wizard.cause = FailureCause::PayloadIntegrity;
  EXPECT_EQ(ExitLogEntry(report, 1620),
            u"Run ended: installation failed, payload integrity; exit code 1620");

  RunReport stopped;
  stopped.validationOutcome = static_cast<int32_t>(ValidationOutcome::Stop);
  stopped.validationCause = FailureCause::AlreadyInstalled;
  EXPECT_EQ(ExitLogEntry(stopped, 1638),
            u"Run ended: validator: stop, already installed; exit code 1638");

  RunReport setUp;
  setUp.initialiseCode = 1;
  EXPECT_EQ(ExitLogEntry(setUp, 1610), u"Run ended: set-up failed (1); exit code 1610");
}

TEST(RunLogEntries, TheVersionDecisionShowsBothSidesOfTheComparison) {
  ProductManifest manifest;
  manifest.webInstallerVersion = u"27.0.1.12";
  manifest.freshInstall.minWebInstallerVersion = u"27.0.1.13";
  manifest.freshInstall.productVersion = u"27.0.0.5";
  EXPECT_EQ(VersionDecisionLogEntry(manifest, u"", false, VersionCheckResult::ClientTooOld),
            u"Version check (fresh_install): this installer 27.0.1.12, required at least "
            u"27.0.1.13; product offered 27.0.0.5; decision: a newer installer is required");

  manifest.patchInstall.minWebInstallerVersion = u"27.0.1.10";
  manifest.patchInstall.productVersion = u"27.0.0.5";
  manifest.standaloneVersion = u"27.0.0.5";
  EXPECT_EQ(
      VersionDecisionLogEntry(manifest, u"27.0.0.5", true, VersionCheckResult::AlreadyInstalled),
      u"Version check (patch_install): this installer 27.0.1.12, required at least 27.0.1.10; "
      u"product offered 27.0.0.5 (compared: 27.0.0.5), installed 27.0.0.5; decision: the offered "
      u"version is installed already");
}

}  // namespace
}  // namespace vwi
