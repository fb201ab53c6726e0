// What the status panel does with one poll of the installation status.
#pragma once

#include <cstdint>
#include <string>

#include "context/app_flags.h"
#include "install/install_state.h"

namespace vwi {

enum class PollAction {
  kKeepPolling,       // not final yet: poll again in a second
  kLaunchAndClose,    // finished with "/l": start the product, then end
  kShowSuccessPanel,  // finished: the success panel
  kCloseWizard,       // finished silently, failed or cancelled: end
};

PollAction DecidePoll(InstallState state, const AppFlags& flags);

// The progress bar's position (0 to 1000) for a percentage.
int ProgressBarPosition(float percent);

// The percentage label: one decimal and a percent sign, "42.5%".
std::u16string PercentLabel(float percent);

}  // namespace vwi
