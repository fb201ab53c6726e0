// What the status panel does with one poll of the installation status.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_flags.h"

namespace vwi {

enum class PollAction {
  kKeepPolling,       // not final yet: poll again in a second
  kLaunchAndClose,    // finished with "/l": start the product, then end
  kShowSuccessPanel,  // finished: the success panel
  kCloseWizard,       // finished silently, failed or cancelled: end
};

// True for the final states Finished (5), Failed (6) and Cancelled (7).
bool IsFinalState(int32_t state);

PollAction DecidePoll(int32_t state, const AppFlags& flags);

// The progress bar's position (0 to 1000) for a percentage.
int ProgressBarPosition(float percent);

// The percentage label: one decimal and a percent sign, "42.5%".
std::u16string PercentLabel(float percent);

}  // namespace vwi
