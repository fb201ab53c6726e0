// Where a top-level window opens: centred on the work area of the monitor
// the user is looking at (the one holding the pointer), so it is never under
// a taskbar or off-screen; one larger than the work area keeps its top-left
// corner (and so its caption) inside it.
#pragma once

#include "platform/geometry.h"

namespace vwi {

// The top-left corner of a window of `width` × `height` on `workArea`.
Point CentredOnWorkArea(int width, int height, const Rect& workArea);

}  // namespace vwi
