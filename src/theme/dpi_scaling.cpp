#include "theme/dpi_scaling.h"

#include <optional>

namespace vwi {
namespace {

std::optional<DpiScale>& ScreenDpiSlot() {
  static std::optional<DpiScale> slot;
  return slot;
}

}  // namespace

int DpiScale::Linear(int px) const {
  return static_cast<int>(static_cast<float>(dpiX) * static_cast<float>(px) / 96.0f);
}

int DpiScale::X(int px) const { return static_cast<int>(StepFactor(dpiX) * px); }

int DpiScale::Y(int px) const { return static_cast<int>(StepFactor(dpiY) * px); }

int DpiScale::Bucket() const {
  if (dpiY < 120) return dpiY;
  if (dpiY < 144) return 120;
  if (dpiY < 192) return 144;
  return 192;
}

int DpiScale::ImageId(int base) const {
  const int bucket = Bucket();
  if (bucket < 120) return base;
  if (bucket < 144) return base + 1;
  if (bucket < 192) return base + 2;
  return base + 3;
}

double StepFactor(int dpi) {
  const double q = dpi / 96.0;
  if (q < 1.25) return 1.0;
  if (q < 1.5) return 1.25;
  if (q < 2.0) return 1.5;
  return 2.0;
}

// The first use happens while the global objects are constructed (for the
// theme metrics), before any other thread exists, so no lock is needed.
const DpiScale& ScreenDpi() {
  std::optional<DpiScale>& slot = ScreenDpiSlot();
  if (!slot) slot = QueryScreenDpi();
  return *slot;
}

void SetScreenDpiForTesting(DpiScale dpi) { ScreenDpiSlot() = dpi; }

}  // namespace vwi
