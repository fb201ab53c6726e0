// The cancel and the pause of a run, as the user interface sets them and
// every transfer and step polls them. The flag of a cancel is set before
// anything waiting on it is woken, so what wakes sees it.
#pragma once

#include <atomic>

#include "download/download_status.h"

namespace vwi {

class CancelToken final : public ICancelRequest {
 public:
  void Cancel() { cancelled_.store(true); }
  void Pause() { paused_.store(true); }
  void Resume() { paused_.store(false); }
  bool IsCancelled() const override { return cancelled_.load(); }
  // A cancel ends a pause: nothing waits for the user once they have said no.
  bool IsPaused() const override { return paused_.load() && !cancelled_.load(); }

 private:
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> paused_{false};
};

}  // namespace vwi
