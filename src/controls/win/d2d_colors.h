// Colour conversion for Direct2D: red, green and blue / 255, opaque.
#pragma once

#include <d2d1.h>

#include "theme/theme_palette.h"

namespace vwi {

inline D2D1_COLOR_F ToD2DColor(ColorRef c) {
  return D2D1_COLOR_F{RedOf(c) / 255.0f, GreenOf(c) / 255.0f, BlueOf(c) / 255.0f, 1.0f};
}

}  // namespace vwi
