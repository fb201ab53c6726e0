#include "app/font_spec.h"

namespace vwi {

ThemeFontSpecs MakeThemeFontSpecs(const DpiScale& dpi) {
  ThemeFontSpecs s;
  s.labelFont = {u"Tahoma", dpi.X(14), 400, false, false};
  s.linkFont = {u"Tahoma", dpi.X(14), 400, true, false};
  s.buttonFont = {u"Tahoma", dpi.X(18), 400, false, false};
  s.headlineFont = {u"Arial", dpi.X(32), 700, false, false};
  return s;
}

FontSpec CaptionFontSpec(const DpiScale& dpi) { return {u"Arial", dpi.Y(15), 400, false, true}; }

FontSpec StaticFallbackFontSpec(const DpiScale& dpi) {
  return {u"Arial", dpi.Linear(14), 400, false, true};
}

}  // namespace vwi
