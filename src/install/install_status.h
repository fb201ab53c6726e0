// The one shared record of the installation's progress: the worker thread
// reports into it, the status panel takes a snapshot of it once a second.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "install/install_progress.h"
#include "install/install_state.h"
#include "install/progress.h"

namespace vwi {

// The fields of the record, as a copy handed to readers.
struct InstallStatusFields {
  std::vector<uint32_t> downloadWeights;  // one per downloaded item, summing to 100
  std::vector<uint32_t> installWeights;   // one per item of the list, summing to 100
  InstallState state = InstallState::Initial;
  int32_t itemIndex = 0;        // item the report is about; -1 in final and cancelling reports
  int32_t itemPercent = 0;      // 0 to 100
  std::u16string itemText;      // the item's name; empty in final reports
  uint32_t startTick = 0;       // tick of the first snapshot; 0 until then
  uint32_t retryInSeconds = 0;  // a download waits to be tried again; 0: none
  bool installerBusy = false;   // a package waits for another installation to finish
};

// Every read and write takes statusLock, so a reader never sees the state of
// one report with the index or percentage of another.
class InstallStatus final : public IInstallProgress {
 public:
  // Replaces state, itemIndex, itemPercent and itemText at once; false when
  // the report was ignored. A final state is final: nothing after it gets
  // through. While the state is Cancelling, only a Cancelled report does.
  bool ReportStatus(InstallState state, int32_t itemIndex, int32_t itemPercent,
                    std::u16string itemText) override;

  // A download waits `seconds` before it is tried again; the next report
  // of progress ends the wait. Ignored outside the download phase.
  void ReportRetryWait(uint32_t seconds) override;

  // A package waits for another installation to finish; the next report
  // of progress ends the wait. Ignored outside the install phase.
  void ReportInstallerBusy();

  // Stores both weight lists, each normalised to sum to 100. Called once,
  // before the worker thread starts.
  void SetWeights(std::vector<uint32_t> downloadWeights, std::vector<uint32_t> installWeights);

  // A copy of every field, taken under the lock.
  InstallStatusFields Read() const;

  // The status panel's once-a-second view: overall percent, a wait to
  // retry, and the remaining time. The first call records `nowTick` as the
  // start tick.
  ProgressSnapshot Snapshot(uint32_t nowTick);

 private:
  mutable std::mutex statusLock;
  InstallStatusFields fields_;
};

// The process-wide record (lives until the process ends).
InstallStatus& ProcessInstallStatus();

}  // namespace vwi
