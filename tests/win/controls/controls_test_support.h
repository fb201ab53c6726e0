// Shared helpers of the skinned controls' tests under Wine.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win/dialog.h"

namespace vwi::test {

inline void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

inline COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A modeless host dialog (template 400) that records the commands it gets.
class HostDialog : public Dialog {
 public:
  HostDialog() : Dialog(400) {}
  std::vector<int> commands;
  int slideClicks = 0;

 protected:
  bool OnCommand(int id, int code, HWND control) override {
    if (control && code == BN_CLICKED) commands.push_back(id);
    return control != nullptr;
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER + 250) {
      ++slideClicks;
      return 0;
    }
    return Dialog::OnMessage(message, wParam, lParam);
  }
};

}  // namespace vwi::test
