// Which pictures the slide show draws at a moment of its clock, and where.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace vwi {

struct SlideDraw {
  int index = 0;  // into the slide list
  Point at;       // top-left corner in client coordinates
  bool operator==(const SlideDraw&) const = default;
};

struct SlideTiming {
  double displaySeconds = 7.5;
  double transitionSeconds = 0.6;
};

// The pictures to draw `seconds` after the show's clock started, in drawing
// order: none without slides; one while a picture stands still (or when there
// is a single picture); the outgoing and the incoming one while sliding.
// `area` is the client rectangle shrunk by the margins.
std::vector<SlideDraw> PlaceSlides(double seconds, const SlideTiming& timing,
                                   const std::vector<Size>& slides, Rect area);

}  // namespace vwi
