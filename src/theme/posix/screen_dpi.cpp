// Native builds draw nothing: the screen is taken to be at 96 DPI and no
// platform bitmap is ever made.
#include "theme/dpi_scaling.h"
#include "theme/image_wrapper.h"

namespace vwi {

DpiScale QueryScreenDpi() { return {96, 96}; }

void DeleteNativeBitmap(NativeBitmap) {}

}  // namespace vwi
