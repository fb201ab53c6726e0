// The program's theme: palette, shared fonts, DPI scaling and its images.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "theme/dpi_scaling.h"
#include "theme/font_style.h"
#include "theme/image_wrapper.h"
#include "theme/theme_metrics.h"
#include "theme/theme_palette.h"

struct HFONT__;
struct HINSTANCE__;

namespace vwi {

using NativeFont = HFONT__*;

// The four shared fonts; a slot whose font could not be created stays null
// and drawing then uses the device context's current font.
struct ThemeFonts {
  NativeFont labelFont = nullptr;
  NativeFont linkFont = nullptr;
  NativeFont buttonFont = nullptr;
  NativeFont headlineFont = nullptr;
};

// The process-wide fonts, filled by InitTheme and emptied by ReleaseTheme.
ThemeFonts& Fonts();

// Stores the palette and creates the fonts. Main thread, once, before any window.
void InitTheme();

// Deletes the fonts (at application exit).
void ReleaseTheme();

// The PNG resource `id` of `module` (the program's own when null), decoded
// once and kept for the life of the process; see ImageCache for failures.
std::shared_ptr<CImageWrapper> LoadPngResource(std::uint32_t id, HINSTANCE__* module = nullptr);

// A picture file decoded into a 32-bit bitmap, neither premultiplied nor
// cached; null when the file does not exist, an empty image when it cannot be
// decoded.
std::unique_ptr<CImageWrapper> LoadImageFromFile(const std::u16string& path);

}  // namespace vwi
