// The drawing decisions of the large rounded action button: its colours per
// state, its corner radii and where its label sits.
#pragma once

#include "theme/theme_palette.h"

namespace vwi {

struct ActionButtonColors {
  ColorRef backColor = 0;
  ColorRef fillDisabled = 0, fillNormal = 0, fillHover = 0, fillPressed = 0;
  ColorRef textDisabled = 0, textNormal = 0, textHover = 0, textPressed = 0;
};
ActionButtonColors StandardActionButtonColors(const ThemePalette& palette);

struct ActionButtonLook {
  ColorRef fill = 0;
  ColorRef text = 0;
  bool operator==(const ActionButtonLook&) const = default;
};
// Hover wins over pressed, so the pressed colour shows only while the button
// is held down with the mouse outside it.
ActionButtonLook ChooseActionButtonLook(const ActionButtonColors& colors, bool enabled, bool hover,
                                        bool pressed);

// A corner radius no larger than half the side.
float ClampRadius(float radius, float side);

// What the text layout reports about a laid-out label (layout units).
struct TextInkMetrics {
  float metricsTop = 0;
  float metricsHeight = 0;
  float overhangTop = 0;
  float overhangBottom = 0;
  float layoutHeight = 0;
};
// The height of the label's ink, rounded up.
int InkHeight(const TextInkMetrics& m);
// The top of the label so its ink is centred in the client rectangle.
int LabelTop(int clientTop, int clientHeight, int inkHeight);

}  // namespace vwi
