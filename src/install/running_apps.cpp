#include "install/running_apps.h"

#include <string>

namespace vwi {
namespace {

constexpr RunningAppProbe kProbes[] = {
    {u"VimzeeHome.Application.Running", u"Vimzee Home"},
    {u"VimzeeHome.Tandor.Running", u"Vimzee Home Tandor"},
};

std::u16string RunningList(std::span<const RunningAppProbe> probes, ISemaphoreProbe& semaphores) {
  std::u16string list;
  for (const RunningAppProbe& probe : probes) {
    if (semaphores.Exists(probe.semaphoreName)) list += std::u16string(probe.shownName) + u"\r\n";
  }
  return list;
}

}  // namespace

std::span<const RunningAppProbe> RunningAppProbes() { return kProbes; }

bool CheckRunningApps(std::u16string_view caption, std::u16string_view introText,
                      std::span<const RunningAppProbe> probes, ISemaphoreProbe& semaphores,
                      IMessageBox& box) {
  while (true) {
    const std::u16string list = RunningList(probes, semaphores);
    if (list.empty()) return true;
    const std::u16string text = std::u16string(introText) + u"\n\n" + list;
    const int answer =
        box.Show(text, caption, message_box::kIconWarning | message_box::kRetryCancel);
    // Only Retry looks again; Cancel, a closed box or a box that could not be
    // shown all keep the installation from starting.
    if (answer != message_box::kAnswerRetry) return false;
  }
}

}  // namespace vwi
