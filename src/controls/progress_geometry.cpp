#include "controls/progress_geometry.h"

#include <algorithm>

namespace vwi {

ProgressShape ComputeProgressShape(Rect client, int barWidth, int barHeight, float radiusX,
                                   float radiusY, int position, int range) {
  ProgressShape s;
  const float w = static_cast<float>(barWidth), h = static_cast<float>(barHeight);
  s.x0 = static_cast<float>(client.right - client.left - barWidth) * 0.5f + client.left;
  s.y0 = static_cast<float>(client.bottom - client.top - barHeight) * 0.5f + client.top;
  s.x1 = s.x0 + w;
  s.y1 = s.y0 + h;
  s.radiusX = radiusX;
  s.radiusY = std::min(radiusY, w / 2);
  if (position > 0) {
    // A position past the range (or a range of 0) shows a full bar.
    const float ratio =
        range > 0 ? std::min(1.0f, static_cast<float>(position) / static_cast<float>(range)) : 1.0f;
    s.hasFill = true;
    s.fillRight = s.x0 + w * ratio;
  }
  return s;
}

}  // namespace vwi
