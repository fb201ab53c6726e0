#include "wizard/status_poll.h"

#include <cmath>
#include <cstdint>

#include "platform/text.h"

namespace vwi {

PollAction DecidePoll(InstallState state, const AppFlags& flags) {
  if (!IsFinalState(state)) return PollAction::kKeepPolling;
  if (state != InstallState::Finished) return PollAction::kCloseWizard;
  if (flags.launchAfterInstall) return PollAction::kLaunchAndClose;
  if (!flags.silentMode) return PollAction::kShowSuccessPanel;
  return PollAction::kCloseWizard;
}

int ProgressBarPosition(float percent) {
  const int position = static_cast<int>(percent * 10);
  return position < 0 ? 0 : position > 1000 ? 1000 : position;
}

// Tenths by integer arithmetic, rounded to even as printf's "%.1f" rounds,
// so the program needs no floating-point formatter.
std::u16string PercentLabel(float percent) {
  if (!std::isfinite(percent)) return u"0.0%";
  // Ten times a float is exact in a double, so only the rounding remains.
  const double tenths = std::nearbyint(static_cast<double>(percent) * 10);
  const int64_t magnitude = static_cast<int64_t>(std::fabs(tenths));
  const std::u16string sign = std::signbit(percent) ? u"-" : u"";
  return sign + DecimalText(magnitude / 10) + u"." + DecimalText(magnitude % 10) + u"%";
}

}  // namespace vwi
