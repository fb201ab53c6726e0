// The cancel/pause request of one transfer, read from two borrowed events.
#pragma once

#include <windows.h>

#include "download/download_status.h"

namespace vwi {

// Never cancelled and never paused when both handles are null. The events
// belong to whoever created them; this only tests them, without waiting.
struct CancelRequest : ICancelRequest {
  CancelRequest(HANDLE cancel = nullptr, HANDLE run = nullptr)
      : cancelEvent(cancel), runEvent(run) {}
  bool IsCancelled() const override;
  bool IsPaused() const override;

  HANDLE cancelEvent;  // signalled = cancel
  HANDLE runEvent;     // not signalled = paused
};

}  // namespace vwi
