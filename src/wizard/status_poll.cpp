#include "wizard/status_poll.h"

#include <cstdio>

namespace vwi {

bool IsFinalState(int32_t state) { return state == 5 || state == 6 || state == 7; }

PollAction DecidePoll(int32_t state, const AppFlags& flags) {
  if (!IsFinalState(state)) return PollAction::kKeepPolling;
  if (state != 5) return PollAction::kCloseWizard;
  if (flags.launchAfterInstall) return PollAction::kLaunchAndClose;
  if (!flags.silentMode) return PollAction::kShowSuccessPanel;
  return PollAction::kCloseWizard;
}

int ProgressBarPosition(float percent) {
  const int position = static_cast<int>(percent * 10);
  return position < 0 ? 0 : position > 1000 ? 1000 : position;
}

std::u16string PercentLabel(float percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", static_cast<double>(percent));
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace vwi
