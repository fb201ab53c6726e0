// The screen's logical DPI, which picks the slide pictures' scale.
#pragma once

namespace vwi {

// The vertical logical DPI of the screen, read once per process; 0 when the
// screen cannot be asked (which selects the 96-DPI pictures). 96 off Windows.
int ScreenDpiY();

}  // namespace vwi
