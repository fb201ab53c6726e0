#include "wizard/win/shell_open.h"

#include <shellapi.h>

#include "install/win/launch_unelevated.h"
#include "platform/run_log.h"
#include "platform/web_address.h"
#include "platform/win/wide.h"

namespace vwi {

bool ShellOpen(HWND owner, const std::u16string& address) {
  if (address.empty()) return false;
  // A link from a language file or a package could name a local program or
  // another protocol's handler; the installer runs elevated.
  if (!IsWebAddress(address)) {
    LogLine(u"Link not opened, it is no web address: " + WithoutCredentials(address));
    return false;
  }
  if (StartThroughDesktopShell(address, u"")) return true;
  const HINSTANCE result =
      ShellExecuteW(owner, L"open", Wide(address), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vwi
