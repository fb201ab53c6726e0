#include <windows.h>

#include "localisation/screen_dpi.h"

namespace vwi {

int ScreenDpiY() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value;
  }();
  return dpi;
}

}  // namespace vwi
