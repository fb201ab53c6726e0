#include "controls/window_placement.h"

namespace vwi {

namespace {

// The start of a span of `size` centred in [first, first + room).
int Centred(int first, int room, int size) {
  return size >= room ? first : first + (room - size) / 2;
}

}  // namespace

Point CentredOnWorkArea(int width, int height, const Rect& workArea) {
  return {Centred(workArea.left, workArea.Width(), width),
          Centred(workArea.top, workArea.Height(), height)};
}

}  // namespace vwi
