// Clocks for the waits of transfers under test: one that moves only when the
// test says, and one that runs a number of times as fast as real time.
#pragma once

#include <atomic>
#include <chrono>

#include "download/retry_rule.h"
#include "download/wait_clock.h"

namespace vwi::test {

class ManualClock final : public IWaitClock {
 public:
  std::chrono::milliseconds Now() const override { return std::chrono::milliseconds(now_.load()); }
  void Advance(std::chrono::milliseconds by) { now_ += by.count(); }

 private:
  std::atomic<int64_t> now_{0};
};

class FastClock final : public IWaitClock {
 public:
  explicit FastClock(int factor) : factor_(factor) {}
  std::chrono::milliseconds Now() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        (std::chrono::steady_clock::now() - start_) * factor_);
  }

 private:
  int factor_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The shipped policy with another stall limit, or counted on another clock.
inline RetryPolicy StallLimit(uint32_t milliseconds, const IWaitClock* clock = nullptr) {
  RetryPolicy policy;
  policy.stallLimitMilliseconds = milliseconds;
  if (clock) policy.clock = clock;
  return policy;
}

}  // namespace vwi::test
