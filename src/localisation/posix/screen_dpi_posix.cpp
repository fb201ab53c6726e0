#include "localisation/screen_dpi.h"

namespace vwi {

int ScreenDpiY() { return 96; }

}  // namespace vwi
