// The named colours of the program's one dark theme.
#pragma once

#include <cstdint>

namespace vwi {

// A 24-bit colour laid out as the platform's COLORREF: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
         (static_cast<ColorRef>(b) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(ColorRef c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Several entries share a value on purpose: each paints a different thing and
// may change on its own.
struct ThemePalette {
  ColorRef captionText = 0;
  ColorRef panelBackground = 0;
  ColorRef frameBorder = 0;
  ColorRef frameBackground = 0;
  ColorRef closeHover = 0;
  ColorRef closePressed = 0;
  ColorRef captionButtonHover = 0;
  ColorRef captionButtonPressed = 0;
  ColorRef headlineText = 0;
  ColorRef labelText = 0;
  ColorRef fieldBackground = 0;
  ColorRef fieldButton = 0;
  ColorRef progressTrack = 0;
  ColorRef progressFill = 0;
  ColorRef actionDisabled = 0;
  ColorRef actionNormal = 0;
  ColorRef actionHover = 0;
  ColorRef actionPressed = 0;
  ColorRef actionText = 0;
  ColorRef actionTextDisabled = 0;
};

// The theme's values, which InitTheme stores into the process-wide palette.
constexpr ThemePalette StandardPalette() {
  ThemePalette p;
  p.captionText = MakeRgb(200, 200, 200);
  p.panelBackground = MakeRgb(24, 25, 30);
  p.frameBorder = MakeRgb(24, 25, 30);
  p.frameBackground = MakeRgb(24, 25, 30);
  p.closeHover = MakeRgb(181, 39, 36);
  p.closePressed = MakeRgb(149, 16, 14);
  p.captionButtonHover = MakeRgb(49, 63, 73);
  p.captionButtonPressed = MakeRgb(28, 31, 33);
  p.headlineText = MakeRgb(255, 255, 255);
  p.labelText = MakeRgb(185, 186, 187);
  p.fieldBackground = MakeRgb(47, 48, 52);
  p.fieldButton = MakeRgb(65, 66, 70);
  p.progressTrack = MakeRgb(75, 71, 70);
  p.progressFill = MakeRgb(7, 165, 216);
  p.actionDisabled = MakeRgb(112, 112, 112);
  p.actionNormal = MakeRgb(7, 165, 216);
  p.actionHover = MakeRgb(23, 190, 244);
  p.actionPressed = MakeRgb(5, 138, 181);
  p.actionText = MakeRgb(255, 255, 255);
  p.actionTextDisabled = MakeRgb(240, 240, 240);
  return p;
}

// The process-wide palette: all zero until InitTheme fills it, read-only afterwards.
ThemePalette& Palette();

}  // namespace vwi
