#include "install/install_status.h"

#include <utility>

namespace vwi {

bool InstallStatus::ReportStatus(InstallState state, int32_t itemIndex, int32_t itemPercent,
                                 std::u16string itemText) {
  std::lock_guard lock(statusLock);
  // A finished run cannot become a cancelling one when the close question
  // and the worker's last report cross: the poll would never see an end.
  if (IsFinalState(fields_.state)) return false;
  // A cancel being carried out must not be overwritten by the last progress
  // reports of the step it interrupts.
  if (fields_.state == InstallState::Cancelling && state != InstallState::Cancelled) return false;
  fields_.state = state;
  fields_.itemIndex = itemIndex;
  fields_.itemPercent = itemPercent;
  fields_.itemText = std::move(itemText);
  fields_.retryInSeconds = 0;
  fields_.installerBusy = false;
  return true;
}

void InstallStatus::ReportRetryWait(uint32_t seconds) {
  std::lock_guard lock(statusLock);
  if (fields_.state == InstallState::Downloading) fields_.retryInSeconds = seconds;
}

void InstallStatus::ReportInstallerBusy() {
  std::lock_guard lock(statusLock);
  if (fields_.state == InstallState::Installing) fields_.installerBusy = true;
}

void InstallStatus::SetWeights(std::vector<uint32_t> downloadWeights,
                               std::vector<uint32_t> installWeights) {
  NormaliseWeights(downloadWeights);
  NormaliseWeights(installWeights);
  std::lock_guard lock(statusLock);
  fields_.downloadWeights = std::move(downloadWeights);
  fields_.installWeights = std::move(installWeights);
}

InstallStatusFields InstallStatus::Read() const {
  std::lock_guard lock(statusLock);
  return fields_;
}

ProgressSnapshot InstallStatus::Snapshot(uint32_t nowTick) {
  std::lock_guard lock(statusLock);
  ProgressInput input{fields_.state,           fields_.itemIndex,
                      fields_.itemPercent,     &fields_.downloadWeights,
                      &fields_.installWeights, fields_.retryInSeconds,
                      fields_.installerBusy};
  return ComputeSnapshot(input, nowTick, fields_.startTick);
}

InstallStatus& ProcessInstallStatus() {
  static InstallStatus status;
  return status;
}

}  // namespace vwi
