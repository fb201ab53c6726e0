// An installation run as whoever shows it sees it: started, paused while a
// question is open, resumed, cancelled, looked at once a second, and its
// outcome read at the end. The run's owner holds the worker and its steps;
// the window that shows the run holds only this.
#pragma once

#include <cstdint>
#include <functional>

#include "context/install_choices.h"
#include "install/install_result.h"
#include "install/install_state.h"
#include "install/progress.h"

namespace vwi {

class IInstallation {
 public:
  virtual ~IInstallation() = default;

  // Builds the plan for `choices` and starts the run with them; `onEnded`
  // is called on the run's thread once it has reached a final state. Called
  // once.
  virtual void Start(InstallChoices choices, std::function<void()> onEnded) = 0;
  // Holds the downloads (none starts while paused) and lets them go on.
  virtual void Pause() = 0;
  virtual void Resume() = 0;
  // The user confirmed cancelling (before the start: Cancelled at once).
  virtual void Cancel() = 0;
  // Waits until the run's thread has ended (no effect when none runs).
  virtual void Join() = 0;

  virtual InstallState State() const = 0;
  // The once-a-second view; the first call records `nowTick` as the start.
  virtual ProgressSnapshot Snapshot(uint32_t nowTick) = 0;
  // What the run came to (final once State() is).
  virtual InstallResult Result() const = 0;
};

}  // namespace vwi
