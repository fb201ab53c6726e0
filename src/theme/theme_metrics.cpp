#include "theme/theme_metrics.h"

namespace vwi {

ThemeMetrics ComputeThemeMetrics(const DpiScale& dpi) {
  ThemeMetrics m;
  m.actionRadiusX = dpi.Linear(4);
  m.actionRadiusY = dpi.dpiY * 4 / 96;
  m.progressRadiusX = static_cast<float>(dpi.dpiX) * 3.0f / 96.0f;
  m.progressRadiusY = static_cast<float>(dpi.dpiY) * 3.0f / 96.0f;
  return m;
}

const ThemeMetrics& Metrics() {
  static const ThemeMetrics metrics = ComputeThemeMetrics(ScreenDpi());
  return metrics;
}

}  // namespace vwi
