#include "app/theme_metrics.h"

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

// Computed while the global objects are constructed, as the DPI is read then
// on the main thread before any other thread can ask for it.
namespace {
[[maybe_unused]] const ThemeMetrics& metricsAtStart = Metrics();
}  // namespace

}  // namespace vwi
