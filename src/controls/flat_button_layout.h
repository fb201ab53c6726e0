// Where a flat button's image frame and a static's focus rectangle go.
#pragma once

#include "platform/geometry.h"

namespace vwi {

// Frame 0 of a strip centred in a `width` x `height` box.
Rect CentredFrameRect(int width, int height, int frameWidth, int frameHeight);

// The focus rectangle of a focused link-style static: inset by 2 px.
inline Rect StaticFocusRect(Rect item) {
  return {item.left + 2, item.top + 2, item.right - 2, item.bottom - 2};
}

}  // namespace vwi
