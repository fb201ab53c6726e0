#include "wizard/wizard_flow.h"

namespace vwi {

int32_t FirstPanelIndex(const AppFlags& flags) {
  return flags.productInstalled || flags.silentMode ? kStatusPanelIndex : kSettingPanelIndex;
}

Size DefaultPanelSize(const DpiScale& dpi) { return {dpi.X(660), dpi.Y(446)}; }

Size SettingPanelSize(const DpiScale& dpi, bool settingsCollapsed) {
  Size size = DefaultPanelSize(dpi);
  if (settingsCollapsed) size.height -= dpi.Y(86);
  return size;
}

Size MainWindowSize(Size panel, const DpiScale& dpi) {
  return {panel.width + dpi.X(1) + dpi.X(1), panel.height};
}

}  // namespace vwi
