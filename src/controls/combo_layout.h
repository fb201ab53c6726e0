// Geometry of the skinned combo box: the chevron strip, the selected text,
// the hit zone, the drop-down list's size and position, and its items.
#pragma once

#include <vector>

#include "platform/geometry.h"
#include "theme/dpi_scaling.h"

namespace vwi {

// The box itself, for a client rectangle and one chevron frame.
struct ComboBoxLayout {
  Rect strip;      // filled with the strip colour
  Point chevron;   // top-left of the chevron frame
  Rect text;       // where the selected text goes (its height is the text's)
  Rect arrowZone;  // redrawn after a click
  Rect edit;       // the hidden edit field (before vertical centring)
};
ComboBoxLayout ComputeComboBoxLayout(Rect client, int frameWidth, int frameHeight, int textHeight,
                                     const DpiScale& dpi);

// Which chevron frame of the three is drawn: white under the mouse, else light grey.
inline int ComboChevronFrame(bool hover) { return hover ? 1 : 2; }

// The nominal row height: trunc(dpiY * 22 / 96).
int ComboItemHeight(const DpiScale& dpi);
// The drop-down list's height: seven rows.
inline int ComboListHeight(const DpiScale& dpi) { return 7 * ComboItemHeight(dpi); }

// Inputs of the dropped-width rule, all in pixels of the box's font.
struct ComboWidthInputs {
  std::vector<int> itemTextWidths;
  int scrollBarWidth = 0;
  int edgeWidth = 0;
  int averageCharWidth = 0;
  int boxWidth = 0;
};
// The widest item (with a scroll bar's width when more than 30 items make the
// list scroll) plus edges and a character's width on each side; at least the
// box's own width.
int ComboDroppedWidth(const ComboWidthInputs& in, const DpiScale& dpi);

// How far the list must move left so it ends at the monitor's right edge.
int ComboListShift(int boxLeft, int listRight, int monitorRight);

// Where an item's text goes, in the coordinates of the item's own bitmap.
Rect ComboItemTextRect(int itemWidth, int itemHeight, const DpiScale& dpi);

}  // namespace vwi
