#include "theme/font_style.h"

namespace vwi {

ThemeFontStyles MakeThemeFontStyles(const DpiScale& dpi) {
  ThemeFontStyles s;
  s.labelFont = {u"Tahoma", dpi.X(14), 400, false, false};
  s.linkFont = {u"Tahoma", dpi.X(14), 400, true, false};
  s.buttonFont = {u"Tahoma", dpi.X(18), 400, false, false};
  s.headlineFont = {u"Arial", dpi.X(32), 700, false, false};
  return s;
}

FontStyle CaptionFontStyle(const DpiScale& dpi) { return {u"Arial", dpi.Y(15), 400, false, true}; }

FontStyle StaticFallbackFontStyle(const DpiScale& dpi) {
  return {u"Arial", dpi.Linear(14), 400, false, true};
}

}  // namespace vwi
