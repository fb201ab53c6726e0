#include "app/win/theme_font.h"

#include <algorithm>

namespace vwi {

UniqueFont CreateThemeFont(const FontSpec& spec) {
  LOGFONTW font{};
  font.lfHeight = spec.height;
  font.lfWeight = spec.weight;
  font.lfUnderline = spec.underline ? TRUE : FALSE;
  font.lfCharSet = spec.ansiCharset ? ANSI_CHARSET : DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = 0;
  const std::size_t length = std::min<std::size_t>(spec.face.size(), LF_FACESIZE - 1);
  std::copy_n(spec.face.begin(), length, font.lfFaceName);
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace vwi
