// The clock the transfers' waits are counted on: the stall limit, the wait
// before another try and the pause that holds both. The program counts on
// the steady clock; a test gives a clock of its own (one that runs faster,
// or moves only when told), so that half a minute of silence costs it
// little real time.
#pragma once

#include <chrono>

namespace vwi {

class IWaitClock {
 public:
  virtual ~IWaitClock() = default;
  // The time since some fixed start, in this clock's own milliseconds.
  virtual std::chrono::milliseconds Now() const = 0;
};

// The steady clock.
const IWaitClock& SteadyWaitClock();

}  // namespace vwi
