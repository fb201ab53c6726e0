#include "controls/win/vrel_edit.h"

#include "controls/edit_rules.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"

namespace vwi {

void CVrelEdit::SetBackColor(ColorRef color) {
  backColor = color;
  backBrush.reset(CreateSolidBrush(color));
}

void CVrelEdit::OnAttached() {
  const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  const LONG exStyle = GetWindowLongW(hwnd(), GWL_EXSTYLE);
  SetWindowLongW(hwnd(), GWL_STYLE, style & ~WS_BORDER);
  SetWindowLongW(hwnd(), GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CVrelEdit::Editable() const {
  return IsWindowEnabled(hwnd()) && !(GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY);
}

std::optional<LRESULT> CVrelEdit::OnNcCalcSize(bool validRects, LPARAM lParam) {
  const LRESULT result = DefaultProc(WM_NCCALCSIZE, validRects, lParam);
  RECT& r = validRects ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                       : *reinterpret_cast<RECT*>(lParam);
  TEXTMETRICW metrics{};
  // The font's selection is undone before the device context goes back.
  if (const WindowDc window(hwnd()); window.dc()) {
    SelectScope font(window.dc(), reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
    GetTextMetricsW(window.dc(), &metrics);
  }
  const int pad = EditVerticalPad(r.bottom - r.top, metrics.tmExternalLeading, metrics.tmHeight);
  r.left += 1;
  r.right -= 1;
  r.top += pad;
  r.bottom -= pad;
  return result;
}

bool CVrelEdit::OnNcPaint(HRGN region) {
  DefaultProc(WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  PaintFrame();
  return true;
}

void CVrelEdit::PaintFrame() {
  WindowDc dc(hwnd(), true);
  if (!dc.dc()) return;
  const RECT window = WindowRect();
  const int width = window.right - window.left, height = window.bottom - window.top;
  RECT client = ClientRect();
  MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int top = client.top - window.top, bottom = client.bottom - window.top;
  FillSolid(dc.dc(), {1, 0, width - 1, top}, backColor);
  FillSolid(dc.dc(), {1, bottom, width - 1, height}, backColor);
  FillSolid(dc.dc(), {0, 0, 1, height}, backColor);
  FillSolid(dc.dc(), {width - 1, 0, width, height}, backColor);
  // The focus border shows however the focus came: a click, Tab or the program.
  const bool hasFocus = focused || GetFocus() == hwnd();
  FrameSolid(dc.dc(), {0, 0, width, height},
             hasFocus && Editable() ? focusBorderColor : borderColor);
}

std::optional<LRESULT> CVrelEdit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return std::nullopt;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkMode(dc, TRANSPARENT);
  SetBkColor(dc, backColor);
  SetTextColor(dc, Editable() ? textColor : GetSysColor(COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(backBrush ? backBrush.get()
                                             : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}

std::optional<LRESULT> CVrelEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_RBUTTONDOWN: {
      const bool all = DecideEditRightClick(focused, Editable()) == EditSelection::kAll;
      SendMessageW(hwnd(), EM_SETSEL, all ? 0 : static_cast<WPARAM>(-1), all ? -1 : 0);
      SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
      SetFocus(hwnd());
      focused = true;
      Invalidate();
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return 0;
    }
    case WM_SETFONT: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return result;
    }
    default:
      return std::nullopt;
  }
}

bool CVrelEdit::OnLButtonDown(UINT flags, POINT point) {
  SetCapture(hwnd());
  if (DecideEditLeftClick(focused, Editable()) == EditClick::kPlaceCaret) {
    DefaultProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
  } else {
    SetFocus(hwnd());
    SendMessageW(hwnd(), EM_SETSEL, 0, -1);
    SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
  }
  focused = true;
  Invalidate();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return true;
}

bool CVrelEdit::OnLButtonUp(UINT flags, POINT point) {
  DefaultProc(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
  if (GetCapture() == hwnd()) ReleaseCapture();
  return true;
}

bool CVrelEdit::OnSetFocus(HWND previous) {
  DefaultProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return true;
}

bool CVrelEdit::OnKillFocus(HWND next) {
  DefaultProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
  focused = false;
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  return true;
}

bool CVrelEdit::OnEnable(bool enabled) {
  DefaultProc(WM_ENABLE, enabled, 0);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
  return true;
}

std::optional<LRESULT> CVrelEdit::OnSetCursor(HWND, UINT, UINT) {
  SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
  return TRUE;
}

bool CVrelEdit::PreTranslateMessage(MSG& message) {
  if (message.hwnd != hwnd() || message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_RETURN) {
    const LRESULT length = GetWindowTextLengthW(hwnd());
    SendMessageW(hwnd(), EM_SETSEL, length, length);
    SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
    return false;
  }
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  switch (ClassifyEditShortcut(ctrl, shift, static_cast<unsigned>(message.wParam), pasteAllowed)) {
    case EditShortcut::kPlatform:
      return false;
    case EditShortcut::kSelectAll:
      SendMessageW(hwnd(), EM_SETSEL, 0, -1);
      SendMessageW(hwnd(), EM_SCROLLCARET, 0, 0);
      return true;
    case EditShortcut::kCopy:
      SendMessageW(hwnd(), WM_COPY, 0, 0);
      return true;
    case EditShortcut::kCut:
      SendMessageW(hwnd(), WM_CUT, 0, 0);
      return true;
    case EditShortcut::kPaste:
      SendMessageW(hwnd(), WM_PASTE, 0, 0);
      return true;
    case EditShortcut::kConsume:
      return true;
  }
  return false;
}

}  // namespace vwi
