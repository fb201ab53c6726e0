// The calls of one transfer that wait on the network (the send, the wait for
// the body's next bytes) run on a thread of their own, so that the transfer
// can give a call up: on a cancel at once, and when the call has heard
// nothing for the stall limit. A blocked socket read cannot be interrupted
// from another thread on every network stack, so the call itself is left to
// end when its stack lets it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "download/download_status.h"
#include "download/retry_rule.h"

namespace vwi {

enum class CallEnd {
  Returned,   // the call came back
  Cancelled,  // a cancel was seen while it was waiting
  Stalled,    // it waited longer than the stall limit (paused time not counted)
};

// The errors of a call given up: a stall, and a cancel (the network stack's
// own number for a cancelled operation).
inline constexpr uint32_t kErrorStalled = 0x20000001;  // an application-defined code
inline constexpr uint32_t kErrorOperationCancelled = 12017;

// The error that stands for a call given up as `end`.
constexpr uint32_t GivenUpError(CallEnd end) {
  return end == CallEnd::Cancelled ? kErrorOperationCancelled : kErrorStalled;
}

// The watch over one wait on the network, looked at after each slice of it:
// a cancel ends the wait, and so does silence for the stall limit (a pause
// holds that clock: nothing is expected while paused).
class WaitWatch {
 public:
  static constexpr std::chrono::milliseconds kSlice{50};
  WaitWatch(const ICancelRequest& cancel, uint32_t stallLimitMilliseconds,
            const IWaitClock& clock = SteadyWaitClock())
      : cancel_(cancel), clock_(clock), limit_(stallLimitMilliseconds), last_(clock.Now()) {}
  // Returned while the wait may go on; else how it must end.
  CallEnd Look();
  // The time counted so far (paused time is not).
  std::chrono::milliseconds Counted() const { return quiet_; }

 private:
  const ICancelRequest& cancel_;
  const IWaitClock& clock_;
  std::chrono::milliseconds limit_;
  std::chrono::milliseconds quiet_{};
  std::chrono::milliseconds last_;
};

// The wait before another try: a pause (the close question) holds the count
// down, a cancel ends it. `onSecond` hears the whole seconds left, at the
// start and as each passes. False when cancelled.
bool WaitUnlessCancelled(const ICancelRequest& cancel, uint32_t milliseconds,
                         const std::function<void(uint32_t)>& onSecond = {},
                         const IWaitClock& clock = SteadyWaitClock());

class WatchedCalls {
 public:
  // Gives a call up after the policy's stall limit, counted on its clock.
  explicit WatchedCalls(const ICancelRequest& cancel, const RetryPolicy& policy = {});
  ~WatchedCalls();
  WatchedCalls(const WatchedCalls&) = delete;
  WatchedCalls& operator=(const WatchedCalls&) = delete;

  // Runs `call` on the helper thread and waits for it, looking at the cancel
  // request every 50 ms. A call given up may return long after this object
  // is gone, so `call` must own (or share) everything it touches and hand
  // its results back through shared state. Once a call is given up, later
  // calls are not run and end the same way.
  CallEnd Run(std::function<void()> call);

 private:
  struct Shared;
  const ICancelRequest& cancel_;
  uint32_t stallLimit_;
  const IWaitClock& clock_;
  std::shared_ptr<Shared> shared_;
  std::thread helper_;
  CallEnd givenUp_ = CallEnd::Returned;
};

}  // namespace vwi
