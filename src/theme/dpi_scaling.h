// DPI scaling: every size of the user interface is given in pixels at 96 DPI
// and converted with these functions.
#pragma once

namespace vwi {

// The two scaling rules of the interface at one pair of logical DPI values.
// ScaleLinear follows the DPI exactly; ScaleX/ScaleY move in steps of 25 %.
struct DpiScale {
  int dpiX = 96;
  int dpiY = 96;

  // trunc(dpiX * px / 96), computed in single precision.
  int Linear(int px) const;
  // trunc(StepFactor(dpiX) * px).
  int X(int px) const;
  // trunc(StepFactor(dpiY) * px).
  int Y(int px) const;
  // dpiY below 120, else 120, 144 or 192: which size of the images to use.
  int Bucket() const;
  // The resource id of an image's size for Bucket(): base + 0..3.
  int ImageId(int base) const;
};

// 1.0, 1.25, 1.5 or 2.0 by the ratio dpi / 96.
double StepFactor(int dpi);

// The screen's DPI, read at the first call and kept for the life of the
// process. Both values are 0 when the screen could not be asked.
const DpiScale& ScreenDpi();

// Replaces the screen's DPI for the rest of the process (tests only).
void SetScreenDpiForTesting(DpiScale dpi);

// The same rules at the screen's DPI.
inline int ScaleLinear(int px) { return ScreenDpi().Linear(px); }
inline int ScaleX(int px) { return ScreenDpi().X(px); }
inline int ScaleY(int px) { return ScreenDpi().Y(px); }
inline int DpiBucket() { return ScreenDpi().Bucket(); }
inline int ImageIdForDpi(int base) { return ScreenDpi().ImageId(base); }

// Asks the platform for the screen's logical DPI; {0, 0} when it cannot.
DpiScale QueryScreenDpi();

}  // namespace vwi
