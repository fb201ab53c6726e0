#include "controls/action_button_style.h"

#include <algorithm>
#include <cmath>

namespace vwi {

ActionButtonColors StandardActionButtonColors(const ThemePalette& p) {
  ActionButtonColors c;
  c.backColor = p.panelBackground;
  c.fillDisabled = p.actionDisabled;
  c.fillNormal = p.actionNormal;
  c.fillHover = p.actionHover;
  c.fillPressed = p.actionPressed;
  c.textDisabled = p.actionTextDisabled;
  c.textNormal = p.actionText;
  c.textHover = p.actionText;
  c.textPressed = p.actionText;
  return c;
}

ActionButtonLook ChooseActionButtonLook(const ActionButtonColors& c, bool enabled, bool hover,
                                        bool pressed) {
  if (!enabled) return {c.fillDisabled, c.textDisabled};
  if (hover) return {c.fillHover, c.textHover};
  if (pressed) return {c.fillPressed, c.textPressed};
  return {c.fillNormal, c.textNormal};
}

float ClampRadius(float radius, float side) { return std::min(radius, side / 2.0f); }

int InkHeight(const TextInkMetrics& m) {
  const float above = std::max(0.0f, m.overhangTop + m.metricsTop);
  const float below =
      std::max(0.0f, m.overhangBottom + m.layoutHeight - m.metricsTop - m.metricsHeight);
  return static_cast<int>(std::ceil(above + m.metricsHeight + below));
}

int LabelTop(int clientTop, int clientHeight, int inkHeight) {
  return clientTop + (clientHeight - inkHeight) / 2;
}

}  // namespace vwi
