#include "download/wait_clock.h"

namespace vwi {
namespace {

class SteadyClock final : public IWaitClock {
 public:
  std::chrono::milliseconds Now() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
  }
};

}  // namespace

const IWaitClock& SteadyWaitClock() {
  static const SteadyClock clock;
  return clock;
}

}  // namespace vwi
