#include "wizard/win/shell_open.h"

#include <shellapi.h>

#include "platform/win/wide.h"

namespace vwi {

bool ShellOpen(HWND owner, const std::u16string& target) {
  if (target.empty()) return false;
  const HINSTANCE result =
      ShellExecuteW(owner, L"open", Wide(target), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vwi
