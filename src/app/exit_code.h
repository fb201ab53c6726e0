// The process exit code: what a deployment script learns about the run.
// Codes follow the Windows Installer's where one exists for the outcome.
#pragma once

#include <cstdint>

#include "context/failure_cause.h"
#include "install/run_outcome.h"

namespace vwi {

namespace exit_code {
inline constexpr int kInstalled = 0;
inline constexpr int kDiskFull = 112;           // ERROR_DISK_FULL
inline constexpr int kCancelled = 1602;         // ERROR_INSTALL_USEREXIT
inline constexpr int kFailed = 1603;            // ERROR_INSTALL_FAILURE
inline constexpr int kManifestUnusable = 1610;  // ERROR_BAD_CONFIGURATION
inline constexpr int kDownloadFailed = 1612;    // ERROR_INSTALL_SOURCE_ABSENT
inline constexpr int kInstallerBusy = 1618;     // ERROR_INSTALL_ALREADY_RUNNING
inline constexpr int kPayloadIntegrity = 1620;  // ERROR_INSTALL_PACKAGE_INVALID
inline constexpr int kAlreadyInstalled = 1638;  // ERROR_PRODUCT_VERSION
inline constexpr int kRestartRequired = 3010;   // ERROR_SUCCESS_REBOOT_REQUIRED
}  // namespace exit_code

// Everything the exit code depends on, gathered by the application object.
struct RunReport {
  // Another copy was running: this one only raised its window.
  bool anotherCopyRuns = false;
  // "/?" or "/help": the options were shown, and nothing else ran.
  bool helpShown = false;
  // "/layout": an offline layout was made (None) or failed with this cause.
  bool layoutRan = false;
  FailureCause layoutCause = FailureCause::None;
  int32_t initialiseCode = 0;     // the context's Initialise result; non-zero ends the run
  int32_t validationOutcome = 0;  // a ValidationOutcome (0 when the validator did not run)
  FailureCause validationCause = FailureCause::None;
  bool silentMode = false;
  // The newer installer's exit code after a silent hand-over (or the code
  // for a hand-over that could not start it).
  int32_t handOverExitCode = 0;
  // False when the newer installer could not be started: nothing was installed.
  bool handOverStarted = true;
  RunOutcome wizard;
};

// The code for a failure cause (a package that failed with 1602 was
// cancelled in the installer's own box).
int ExitCodeForCause(FailureCause cause, uint32_t installerResult = 0);

// The code of a run that reached the wizard.
int ExitCodeFor(const RunOutcome& outcome);

// The code of the whole run.
int ExitCodeFor(const RunReport& report);

}  // namespace vwi
