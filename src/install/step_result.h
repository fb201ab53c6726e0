// How one of the run's steps ended: passed, stopped (the user cancelled), or
// failed with its cause and, when a package was refused, that package's name,
// what its transfer came to and the address it came from. The steps return
// it; the installation worker keeps the run's cause from it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "context/failure_cause.h"
#include "download/transfer_result.h"

namespace vwi {

struct StepResult {
  bool passed = true;
  FailureCause cause = FailureCause::None;  // None unless the step failed and knows why
  std::u16string failedItem;
  TransferResult transfer;       // what the failed transfer came to
  std::u16string failedAddress;  // where it was fetched from
  uint64_t megabytesNeeded = 0;  // with DiskSpace: what the volume lacked

  static StepResult Passed() { return {}; }
  // A step cut short by a cancel has no cause of its own: the run's is Cancelled.
  static StepResult Stopped() {
    StepResult result;
    result.passed = false;
    return result;
  }
  static StepResult Failed(FailureCause cause, std::u16string failedItem = {}) {
    StepResult result = Stopped();
    result.cause = cause;
    result.failedItem = std::move(failedItem);
    return result;
  }
  // A failed transfer of `item` from `address`.
  static StepResult FailedTransfer(FailureCause cause, std::u16string item, TransferResult transfer,
                                   std::u16string address) {
    StepResult result = Failed(cause, std::move(item));
    result.transfer = transfer;
    result.failedAddress = std::move(address);
    return result;
  }
};

// A failed download (the version file or a package) is told to the user in
// a box of the worker's. A full volume and a refused version are told where
// they are found.
constexpr bool IsToldAsDownloadFailure(FailureCause cause) {
  return cause == FailureCause::DownloadFailed || cause == FailureCause::PayloadIntegrity;
}

}  // namespace vwi
