// Where the installation stands: what the worker reports and the status
// panel shows.
#pragma once

#include <cstdint>

namespace vwi {

enum class InstallState : int32_t {
  Initial = 0,  // the value at process start; the worker never writes it
  Downloading = 2,
  Installing = 3,
  Cancelling = 4,
  Finished = 5,  // Finished, Failed and Cancelled are final
  Failed = 6,
  Cancelled = 7,
};

// True for Finished, Failed and Cancelled: nothing follows them.
inline bool IsFinalState(InstallState state) {
  return state == InstallState::Finished || state == InstallState::Failed ||
         state == InstallState::Cancelled;
}

}  // namespace vwi
