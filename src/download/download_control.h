// What the download phase borrows from the installation worker: the two
// events that cancel and pause transfers, the cancel flag read between
// packages, and the failure reason and cause the phase leaves behind.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "install/failure_cause.h"

namespace vwi {

inline constexpr int32_t kFailureDownload = 4;  // the version re-check or a download failed

struct DownloadControl {
  void* cancelEvent = nullptr;  // manual-reset event (a HANDLE); signalled = cancel
  void* runEvent = nullptr;     // manual-reset event (a HANDLE); reset = paused
  std::atomic<bool> cancelRequested{false};
  int32_t failureReason = 0;
  // Why the run failed, set where the failure is found (the worker sets
  // Cancelled and PackageFailed itself); None while nothing failed.
  FailureCause failureCause = FailureCause::None;
  // The item whose package was refused, when one was.
  std::u16string failedItem;
};

}  // namespace vwi
