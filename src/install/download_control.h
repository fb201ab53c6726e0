// What the download phase borrows from the installation worker: the two
// events that cancel and pause transfers, and the cancel flag read between
// packages.
#pragma once

#include <atomic>

namespace vwi {

struct DownloadControl {
  void* cancelEvent = nullptr;  // manual-reset event (a HANDLE); signalled = cancel
  void* runEvent = nullptr;     // manual-reset event (a HANDLE); reset = paused
  std::atomic<bool> cancelRequested{false};
};

}  // namespace vwi
