#include "theme/theme_palette.h"

namespace vwi {

ThemePalette& Palette() {
  static ThemePalette palette;
  return palette;
}

}  // namespace vwi
