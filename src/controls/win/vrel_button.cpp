#include "controls/win/vrel_button.h"

#include "controls/flat_button_layout.h"
#include "controls/win/draw.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/wide.h"
#include "theme/theme.h"

namespace vwi {

void CVrelButton::SetAppearance(ColorRef normal, ColorRef hover, ColorRef pressed, ColorRef border,
                                const std::u16string& label) {
  frameCount = 0;
  imageWidth = imageHeight = 0;
  bitmap = nullptr;
  normalColor = normal;
  hoverColor = hover;
  pressedColor = pressed;
  borderColor = border;
  text = label;
  // The label is the window text too, so screen readers can name the button.
  if (hwnd() && !label.empty()) SetWindowTextW(hwnd(), Wide(label));
}

void CVrelButton::SetImage(const CImageWrapper& image) {
  bitmap = image.bitmap;
  imageWidth = image.width;
  imageHeight = image.height;
  frameCount = 1;
  horizontalFrames = 1;
  if (hwnd()) Invalidate();
}

void CVrelButton::OnAttached() {
  const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  SetWindowLongW(hwnd(), GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
}

std::optional<LRESULT> CVrelButton::OnReflectedMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return std::nullopt;
  const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  DrawItem(item.hDC, item.rcItem);
  return TRUE;
}

std::optional<LRESULT> CVrelButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEHOVER) {
    mouse_.OnHover();
    Invalidate();
    PostMessageW(GetParent(hwnd()), WM_SKINBUTTON_HOVER, reinterpret_cast<WPARAM>(this), 0);
    return 0;
  }
  return AnswerAccessibility(message, wParam, lParam);
}

void CVrelButton::DrawItem(HDC target, const RECT& rect) {
  MemoryDc buffer(target, rect);
  HDC dc = buffer.dc();
  const Rect r = FromRECT(rect);
  FillSolid(dc, r, normalColor);
  if (mouse_.hover || mouse_.pressed) {
    FillSolid(dc, r, mouse_.pressed ? pressedColor : hoverColor);
    FrameSolid(dc, r, borderColor);
  }
  if (frameCount > 0) {
    const Size frame = StripFrameSize(imageWidth, imageHeight, frameCount, horizontalFrames);
    const Rect at = CentredFrameRect(r.Width(), r.Height(), frame.width, frame.height);
    BlendBitmap(dc, bitmap, 0, 0, frame.width, frame.height, r.left + at.left, r.top + at.top);
  }
  if (!text.empty()) {
    SelectScope font(dc, Fonts().buttonFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Palette().headlineText);
    RECT box = rect;
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_WORD_ELLIPSIS);
  }
  if (ShowsFocusMark(hwnd())) FrameSolid(dc, r, kFocusMarkColor);
}

bool CVrelButton::OnMouseMove(UINT, POINT) {
  if (!mouse_.tracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd(), 1};
    mouse_.tracking = TrackMouseEvent(&track) != FALSE;
  }
  return true;
}

bool CVrelButton::OnMouseLeave() {
  mouse_.OnLeave();
  Invalidate();
  PostMessageW(GetParent(hwnd()), WM_SKINBUTTON_LEAVE, 0, 0);
  return true;
}

bool CVrelButton::OnLButtonDown(UINT, POINT) {
  SetFocus(hwnd());
  if (mouse_.OnLeftDown()) SetCapture(hwnd());
  Invalidate();
  return true;
}

}  // namespace vwi
