// How one of the run's steps ended: passed, stopped (the user cancelled), or
// failed with its cause and, when a package was refused, that package's name.
// The steps return it; the installation worker keeps the run's cause from it.
#pragma once

#include <string>
#include <utility>

#include "context/failure_cause.h"

namespace vwi {

struct StepResult {
  bool passed = true;
  FailureCause cause = FailureCause::None;  // None unless the step failed and knows why
  std::u16string failedItem;

  static StepResult Passed() { return {}; }
  // A step cut short by a cancel has no cause of its own: the run's is Cancelled.
  static StepResult Stopped() { return {false, FailureCause::None, {}}; }
  static StepResult Failed(FailureCause cause, std::u16string failedItem = {}) {
    return {false, cause, std::move(failedItem)};
  }
};

// A failed download (the version file or a package) is told to the user in
// a box of the worker's. A full volume and a refused version are told where
// they are found.
constexpr bool IsToldAsDownloadFailure(FailureCause cause) {
  return cause == FailureCause::DownloadFailed || cause == FailureCause::PayloadIntegrity;
}

}  // namespace vwi
