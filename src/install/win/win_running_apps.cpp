#include "install/win/win_running_apps.h"

#include <string>

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "platform/win/win_message_box.h"

namespace vwi {

bool WinSemaphoreProbe::Exists(std::u16string_view name) {
  const std::u16string terminated(name);
  UniqueHandleKernel semaphore(OpenSemaphoreW(SYNCHRONIZE, FALSE, Wide(terminated)));
  return static_cast<bool>(semaphore);
}

bool CheckRunningApps(std::u16string_view caption, HWND owner, std::u16string_view closeText) {
  WinSemaphoreProbe semaphores;
  WinMessageBox box(owner);
  return CheckRunningApps(caption, closeText, RunningAppProbes(), semaphores, box);
}

}  // namespace vwi
