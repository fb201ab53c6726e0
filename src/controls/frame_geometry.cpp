#include "controls/frame_geometry.h"

#include <algorithm>

namespace vwi {

Rect FrameClientRect(Rect window, bool maximized, const DpiScale& dpi) {
  if (!maximized) {
    return {window.left + dpi.X(1), window.top + dpi.Y(28) + dpi.Y(1), window.right - dpi.X(1),
            window.bottom - dpi.Y(1)};
  }
  return {window.left + kMaximizedOverhang, window.top + dpi.Y(1) + dpi.Y(28) + kMaximizedOverhang,
          window.right - kMaximizedOverhang, window.bottom - kMaximizedOverhang};
}

Rect FrameRegionRect(int width, int height, bool maximized) {
  Rect r{0, 0, width, height};
  if (maximized) {
    r.left += kMaximizedOverhang;
    r.right -= kMaximizedOverhang;
    r.bottom -= kMaximizedOverhang;
  }
  return {r.left, r.top, r.right + 1, r.bottom + 1};
}

FramePaintLayout ComputeFramePaintLayout(int width, int height, int clientWidth, int clientHeight,
                                         int overhang, bool maximized, const DpiScale& dpi) {
  FramePaintLayout f;
  const int o = maximized ? overhang : 0;
  f.layout = {o, o, width - o, height - o};
  const int clientLeft = maximized ? overhang : dpi.X(1);
  const int clientTop = dpi.Y(28) + dpi.Y(1) + (maximized ? overhang : 0);
  f.clientArea = {clientLeft, clientTop, clientLeft + clientWidth, clientTop + clientHeight};
  const int bx = dpi.X(1), by = dpi.Y(1);
  f.borderTop = {0, 0, width, by};
  f.borderBottom = {0, height - by, width, height};
  f.borderLeft = {0, 0, bx, height};
  f.borderRight = {width - bx, 0, width, height};
  f.caption = {bx, by, width - bx, by + dpi.Y(28)};
  return f;
}

CaptionTitleLayout ComputeCaptionTitleLayout(Rect caption, bool hasIcon, int textHeight,
                                             const DpiScale& dpi, int buttonsLeft) {
  CaptionTitleLayout t;
  if (hasIcon) {
    const int x = caption.left + 4 * dpi.X(1);
    const int y = caption.top + (dpi.Y(28) - dpi.Y(18)) / 2;
    t.icon = {x, y, x + dpi.X(18), y + dpi.Y(18)};
    caption.left = x + dpi.X(18);
  }
  const int left = caption.left + 5 * dpi.Y(1);
  const int top = caption.top + (dpi.Y(28) - textHeight) / 2;
  const int limit = buttonsLeft < caption.right ? buttonsLeft - dpi.X(4) : caption.right;
  const int right = std::max(left, limit);
  t.title = {left, top, right, top + textHeight};
  return t;
}

}  // namespace vwi
