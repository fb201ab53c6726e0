#include "controls/win/draw.h"

#include "controls/win/vrel_dialog.h"

#include "platform/win/gdi_scope.h"
#include "platform/win/unique_handle.h"

namespace vwi {

void FillSolid(HDC dc, const Rect& rect, ColorRef color) {
  const RECT r = ToRECT(rect);
  UniqueBrush brush(CreateSolidBrush(color));
  if (brush) FillRect(dc, &r, brush.get());
}

void FrameSolid(HDC dc, const Rect& rect, ColorRef color) {
  const RECT r = ToRECT(rect);
  UniqueBrush brush(CreateSolidBrush(color));
  if (brush) FrameRect(dc, &r, brush.get());
}

void BlendBitmap(HDC dc, HBITMAP bitmap, int srcX, int srcY, int width, int height, int x, int y,
                 int constantAlpha) {
  if (!bitmap || width <= 0 || height <= 0) return;
  UniqueDc source(CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), bitmap);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(constantAlpha), AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, source.get(), srcX, srcY, width, height, blend);
}

bool ShowsFocusMark(HWND control) {
  if (GetFocus() != control) return false;
  const auto* window =
      dynamic_cast<const CVrelDialog*>(Window::FromHandle(GetAncestor(control, GA_ROOT)));
  return !window || !window->FocusMarksHidden();
}

}  // namespace vwi
