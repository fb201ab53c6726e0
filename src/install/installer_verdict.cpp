#include "install/installer_verdict.h"

#include <algorithm>

namespace vwi {

namespace ir = installer_result;

InstallerVerdict PackageVerdict(uint32_t result) {
  switch (result) {
    case ir::kSuccess:
      return InstallerVerdict::Installed;
    case ir::kRestartRequired:
    case ir::kRestartStarted:
      return InstallerVerdict::RestartNeeded;
    case ir::kBusy:
      return InstallerVerdict::Busy;
    default:
      return InstallerVerdict::Failed;
  }
}

InstallerVerdict ProgramVerdict(uint32_t exitCode) {
  if (exitCode == ir::kSameOrNewer) return InstallerVerdict::Installed;
  return PackageVerdict(exitCode);
}

std::optional<uint32_t> NextBusyWait(const BusyInstallerPolicy& policy, uint32_t answers,
                                     uint32_t waitedMilliseconds) {
  if (waitedMilliseconds >= policy.limitMilliseconds) return std::nullopt;
  uint64_t wait = policy.firstWaitMilliseconds;
  for (uint32_t i = 1; i < answers && wait < policy.longestWaitMilliseconds; ++i) wait *= 2;
  wait = std::min<uint64_t>(wait, policy.longestWaitMilliseconds);
  wait = std::min<uint64_t>(wait, policy.limitMilliseconds - waitedMilliseconds);
  return static_cast<uint32_t>(std::max<uint64_t>(wait, 1));
}

}  // namespace vwi
