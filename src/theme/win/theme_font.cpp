#include "theme/win/theme_font.h"

#include <algorithm>

namespace vwi {

UniqueFont CreateThemeFont(const FontStyle& style) {
  LOGFONTW font{};
  font.lfHeight = style.height;
  font.lfWeight = style.weight;
  font.lfUnderline = style.underline ? TRUE : FALSE;
  font.lfCharSet = style.ansiCharset ? ANSI_CHARSET : DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = 0;
  const std::size_t length = std::min<std::size_t>(style.face.size(), LF_FACESIZE - 1);
  std::copy_n(style.face.begin(), length, font.lfFaceName);
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace vwi
