// What the theme's fonts are made of, independent of how the platform builds them.
#pragma once

#include <string>

#include "theme/dpi_scaling.h"

namespace vwi {

// A font request: face, positive cell height in pixels, weight and style.
// Every theme font also has width 0, no escapement or strike-out, stroke
// precision and proof quality; `ansiCharset` picks the ANSI character set
// instead of the default one.
struct FontStyle {
  std::u16string face;
  int height = 0;
  int weight = 400;
  bool underline = false;
  bool ansiCharset = false;

  bool operator==(const FontStyle&) const = default;
};

// The four shared fonts. Heights follow the horizontal step factor.
struct ThemeFontStyles {
  FontStyle labelFont;
  FontStyle linkFont;
  FontStyle buttonFont;
  FontStyle headlineFont;
};
ThemeFontStyles MakeThemeFontStyles(const DpiScale& dpi);

// The skinned frame's caption font: "Arial", ScaleY(15), ANSI.
FontStyle CaptionFontStyle(const DpiScale& dpi);

// The font a skinned static draws with when it was given none: "Arial",
// ScaleLinear(14), ANSI.
FontStyle StaticFallbackFontStyle(const DpiScale& dpi);

}  // namespace vwi
