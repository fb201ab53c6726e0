// Corner radii shared by the action buttons and the progress bar.
#pragma once

#include "theme/dpi_scaling.h"

namespace vwi {

struct ThemeMetrics {
  int actionRadiusX = 0;        // ScaleLinear(4)
  int actionRadiusY = 0;        // trunc(dpiY * 4 / 96)
  float progressRadiusX = 0.f;  // dpiX * 3 / 96, not truncated
  float progressRadiusY = 0.f;  // dpiY * 3 / 96, not truncated
};

ThemeMetrics ComputeThemeMetrics(const DpiScale& dpi);

// The metrics at the screen's DPI, computed once.
const ThemeMetrics& Metrics();

}  // namespace vwi
