#include "controls/win/push_button_window.h"

namespace vwi {

void CPushButtonWindow::ResetMouseState() {
  mouse_.hover = false;
  mouse_.pressed = false;
}

std::optional<LRESULT> CPushButtonWindow::AnswerAccessibility(UINT message, WPARAM wParam,
                                                              LPARAM lParam) {
  if (message == WM_GETOBJECT) return AnswerGetObject(hwnd(), wParam, lParam);
  return std::nullopt;
}

bool CPushButtonWindow::OnLButtonUp(UINT, POINT point) {
  const RECT client = ClientRect();
  const PushButtonMouse::UpResult r = mouse_.OnLeftUp(PtInRect(&client, point) != FALSE);
  if (r.releaseCapture) ReleaseCapture();
  if (r.click) {
    PostMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd()));
  }
  Invalidate();
  return true;
}

bool CPushButtonWindow::OnCaptureChanged(HWND) {
  if (mouse_.captured) {
    mouse_.captured = false;
    mouse_.pressed = false;
    Invalidate();
  }
  return true;
}

}  // namespace vwi
