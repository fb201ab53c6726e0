// What a package's or a program's result means for the run: installed,
// installed with a restart to finish, the Windows Installer busy with
// another installation (try again later), or failed. Windows runs one
// installation at a time, so 1618 is a wait, not a failure, and 3010 and
// 1641 are successes that the machine's owner must finish by restarting.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "download/wait_clock.h"

namespace vwi {

enum class InstallerVerdict { Installed, RestartNeeded, Busy, Failed };

namespace installer_result {
inline constexpr uint32_t kSuccess = 0;
inline constexpr uint32_t kBusy = 1618;             // ERROR_INSTALL_ALREADY_RUNNING
inline constexpr uint32_t kSameOrNewer = 1638;      // ERROR_PRODUCT_VERSION
inline constexpr uint32_t kRestartStarted = 1641;   // ERROR_SUCCESS_REBOOT_INITIATED
inline constexpr uint32_t kRestartRequired = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
}  // namespace installer_result

// The main package's result, as the Windows Installer returns it.
InstallerVerdict PackageVerdict(uint32_t result);

// The package results that count as installed: 0, 3010 and 1641.
inline bool IsInstallerSuccess(uint32_t result) {
  const InstallerVerdict verdict = PackageVerdict(result);
  return verdict == InstallerVerdict::Installed || verdict == InstallerVerdict::RestartNeeded;
}

// A prerequisite program's exit code, or msiexec's for a package
// prerequisite: 1638 (the same or a newer version is installed) is success.
InstallerVerdict ProgramVerdict(uint32_t exitCode);

// How long a busy Windows Installer is waited for: the first wait, doubled
// after each further 1618 up to the longest, for at most the limit in all.
struct BusyInstallerPolicy {
  uint32_t firstWaitMilliseconds = 5000;
  uint32_t longestWaitMilliseconds = 60000;
  uint32_t limitMilliseconds = 10 * 60 * 1000;
  const IWaitClock* clock = &SteadyWaitClock();
};

// The wait after the `answers`-th 1618 in a row (1 for the first), when
// `waitedMilliseconds` have been waited already; nothing once the limit is
// reached. The last wait is cut to end at the limit.
std::optional<uint32_t> NextBusyWait(const BusyInstallerPolicy& policy, uint32_t answers,
                                     uint32_t waitedMilliseconds);

}  // namespace vwi
