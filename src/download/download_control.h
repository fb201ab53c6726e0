// What the download phase borrows from the installation worker: the two
// events that cancel and pause transfers, the cancel flag read between
// packages, and the failure reason the phase leaves behind.
#pragma once

#include <atomic>
#include <cstdint>

namespace vwi {

inline constexpr int32_t kFailureDownload = 4;  // the version re-check or a download failed

struct DownloadControl {
  void* cancelEvent = nullptr;  // manual-reset event (a HANDLE); signalled = cancel
  void* runEvent = nullptr;     // manual-reset event (a HANDLE); reset = paused
  std::atomic<bool> cancelRequested{false};
  int32_t failureReason = 0;
};

}  // namespace vwi
