#include <windows.h>

#include "theme/dpi_scaling.h"
#include "theme/image_wrapper.h"

namespace vwi {

DpiScale QueryScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return {0, 0};
  const DpiScale dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi;
}

void DeleteNativeBitmap(NativeBitmap bitmap) { DeleteObject(bitmap); }

}  // namespace vwi
