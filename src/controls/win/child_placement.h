// Moving a window's controls to their laid-out places. A control moves only
// when its place changed, so a re-layout that changes nothing paints
// nothing, and one that moves a control repaints the control and the part
// of the parent it left: nothing else flashes.
#pragma once

#include <windows.h>

#include "platform/geometry.h"

namespace vwi {

// Moves `control` to `place` (in its parent's client coordinates); false
// when it was there already.
bool PlaceControl(HWND control, const Rect& place);

// The same for a drop-down list box, whose window is `field` plus
// `listRoom` below it for the open list; the platform reports only the
// field as its place, and sets the field's height itself.
bool PlaceDropDown(HWND control, const Rect& field, int listRoom);

}  // namespace vwi
