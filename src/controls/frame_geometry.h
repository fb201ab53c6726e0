// Geometry of the skinned frame: the client area inside it, the window's
// shape and where the frame's parts are painted.
#pragma once

#include "platform/geometry.h"
#include "theme/dpi_scaling.h"

namespace vwi {

// The part of a maximised window that lies outside the screen, unscaled.
constexpr int kMaximizedOverhang = 8;

// The client rectangle inside `window` (both in the same coordinates): a
// one-pixel border and a ScaleY(28) caption, plus the overhang when maximised.
Rect FrameClientRect(Rect window, bool maximized, const DpiScale& dpi);

// The window region's rectangle for a window of `width` x `height`, in window
// coordinates; one pixel larger on the right and bottom, as the platform's
// rounded-rectangle region leaves those edges out.
Rect FrameRegionRect(int width, int height, bool maximized);

// Where each part of the frame goes, in window coordinates, for a window of
// `width` x `height` whose client area is `clientWidth` x `clientHeight`.
struct FramePaintLayout {
  Rect layout;      // where the caption buttons are laid out
  Rect clientArea;  // excluded from the frame painting
  Rect borderTop, borderBottom, borderLeft, borderRight;
  Rect caption;
};
FramePaintLayout ComputeFramePaintLayout(int width, int height, int clientWidth, int clientHeight,
                                         int overhang, bool maximized, const DpiScale& dpi);

// Where the window icon and the title go inside the caption.
struct CaptionTitleLayout {
  Rect icon;   // empty when there is no icon
  Rect title;  // text rectangle; its height is the text's height
};
// `buttonsLeft` is the left edge of the leftmost caption button (the
// caption's right edge without buttons): the title ends ScaleX(4) before it
// (it is then drawn with an ellipsis), so a long title never runs under
// Minimize or Close.
CaptionTitleLayout ComputeCaptionTitleLayout(Rect caption, bool hasIcon, int textHeight,
                                             const DpiScale& dpi, int buttonsLeft);

}  // namespace vwi
