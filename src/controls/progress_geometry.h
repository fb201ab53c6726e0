// The progress bar's shape: a rounded track centred in the window and the
// part of it that is filled.
#pragma once

#include "platform/geometry.h"

namespace vwi {

struct ProgressShape {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the track
  float radiusX = 0, radiusY = 0;
  bool hasFill = false;
  float fillRight = 0;  // the fill is the track cut at this x
};

// `barWidth` x `barHeight` centred in `client`; the fill follows
// position / range, never beyond the track.
ProgressShape ComputeProgressShape(Rect client, int barWidth, int barHeight, float radiusX,
                                   float radiusY, int position, int range);

}  // namespace vwi
