// Test doubles for code that waits on another thread: a cancel request that
// another thread may set, and a gate that holds a call where a network call
// would block.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "download/download_status.h"

namespace vwi::test {

struct AtomicCancel : ICancelRequest {
  bool IsCancelled() const override { return cancelled; }
  bool IsPaused() const override { return paused; }
  std::atomic<bool> cancelled{false};
  std::atomic<bool> paused{false};
};

// Holds each call that passes it until opened, and says when one reached it.
struct Gate {
  void Pass() {
    std::unique_lock lock(mutex);
    reached = true;
    changed.notify_all();
    changed.wait(lock, [this] { return open; });
  }
  void Open() {
    std::lock_guard lock(mutex);
    open = true;
    changed.notify_all();
  }
  void WaitUntilReached() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return reached; });
  }
  std::mutex mutex;
  std::condition_variable changed;
  bool open = false;
  bool reached = false;
};

}  // namespace vwi::test
