#include "controls/win/vrel_static.h"

#include "controls/flat_button_layout.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/wide.h"
#include "theme/theme.h"
#include "theme/win/theme_font.h"

namespace vwi {

void CVrelStatic::Style(HFONT labelFont, ColorRef text, ColorRef back, UINT drawFormat) {
  font = labelFont;
  textColor = text;
  backColor = back;
  format = drawFormat;
}

void CVrelStatic::SetText(const std::u16string& label) {
  text = label;
  SetWindowTextW(hwnd(), Wide(label));
  Invalidate(true);
}

void CVrelStatic::OnAttached() {
  const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  SetWindowLongW(hwnd(), GWL_STYLE, (style & ~SS_TYPEMASK) | SS_OWNERDRAW);
}

std::optional<LRESULT> CVrelStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT && accessible) return AnswerGetObject(hwnd(), wParam, lParam);
  return std::nullopt;
}

std::optional<LRESULT> CVrelStatic::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return std::nullopt;
  const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  DrawItem(item.hDC, item.rcItem);
  return TRUE;
}

void CVrelStatic::DrawItem(HDC target, const RECT& rect) {
  {
    MemoryDc buffer(target, rect);
    FillSolid(buffer.dc(), FromRECT(rect), backColor);
    if (!text.empty()) DrawLabel(buffer.dc(), text, rect);
  }
  if (showHandCursor && focused && ShowsFocusMark(hwnd())) {
    const RECT focus = ToRECT(StaticFocusRect(FromRECT(rect)));
    DrawFocusRect(target, &focus);
  }
}

void CVrelStatic::DrawLabel(HDC dc, const std::u16string& label, RECT rect) {
  SetBkMode(dc, TRANSPARENT);
  UniqueFont fallback;
  if (!font) fallback = CreateThemeFont(StaticFallbackFontStyle(ScreenDpi()));
  SelectScope select(dc, font ? font : fallback.get());
  SetTextColor(dc, textColor);
  DrawTextW(dc, Wide(label), static_cast<int>(label.size()), &rect, format);
}

std::optional<LRESULT> CVrelStatic::OnSetCursor(HWND, UINT, UINT) {
  if (!showHandCursor) return std::nullopt;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return TRUE;
}

bool CVrelStatic::OnSetFocus(HWND) {
  if (!focused) {
    focused = true;
    Invalidate();
  }
  return false;
}

bool CVrelStatic::OnKillFocus(HWND) {
  if (focused) {
    focused = false;
    Invalidate();
  }
  return false;
}

}  // namespace vwi
