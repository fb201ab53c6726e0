#include "theme/theme.h"

#include <windows.h>

#include <array>

#include "theme/image_cache.h"
#include "theme/win/image_decoder.h"
#include "theme/win/theme_font.h"

namespace vwi {
namespace {

// Reads the PNG resources of one module.
class ModulePngSource final : public IPngSource {
 public:
  explicit ModulePngSource(HMODULE module) : module_(module) {}

  std::optional<std::span<const std::uint8_t>> FindPng(std::uint16_t id) override {
    HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(id), L"PNG");
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module_, info);
    if (!loaded) return std::nullopt;
    const void* data = LockResource(loaded);
    const DWORD size = SizeofResource(module_, info);
    if (!data) return std::nullopt;
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data), size);
  }

  std::shared_ptr<CImageWrapper> Decode(std::span<const std::uint8_t> png) override {
    return DecodePngBytes(png);
  }

 private:
  HMODULE module_;
};

ImageCache& ProcessImageCache() {
  static ImageCache cache;
  return cache;
}

// The fonts that Fonts() lends out: label, link, button and headline.
std::array<UniqueFont, 4>& OwnedFonts() {
  static std::array<UniqueFont, 4> owned;
  return owned;
}

}  // namespace

ThemeFonts& Fonts() {
  static ThemeFonts fonts;
  return fonts;
}

void InitTheme() {
  Palette() = StandardPalette();
  ReleaseTheme();
  const ThemeFontStyles styles = MakeThemeFontStyles(ScreenDpi());
  // The DPI and what follows from it are read here, on the main thread,
  // before any other thread can ask for them.
  Metrics();
  std::array<UniqueFont, 4>& owned = OwnedFonts();
  owned = {CreateThemeFont(styles.labelFont), CreateThemeFont(styles.linkFont),
           CreateThemeFont(styles.buttonFont), CreateThemeFont(styles.headlineFont)};
  Fonts() = {owned[0].get(), owned[1].get(), owned[2].get(), owned[3].get()};
}

void ReleaseTheme() {
  Fonts() = {};
  for (UniqueFont& font : OwnedFonts()) font.reset();
}

std::shared_ptr<CImageWrapper> LoadPngResource(std::uint32_t id, HINSTANCE module) {
  ModulePngSource source(module ? module : GetModuleHandleW(nullptr));
  return ProcessImageCache().Load(id, source);
}

std::unique_ptr<CImageWrapper> LoadImageFromFile(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return nullptr;
  }
  return DecodeImageFile(path);
}

}  // namespace vwi
