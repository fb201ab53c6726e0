#include "wizard/wizard_flow.h"

namespace vwi {

int32_t FirstPanelIndex(const AppFlags& flags) {
  return flags.productInstalled || flags.silentMode ? kStatusPanelIndex : kSettingPanelIndex;
}

PanelSize DefaultPanelSize(const DpiScale& dpi) { return {dpi.X(660), dpi.Y(446)}; }

PanelSize SettingPanelSize(const DpiScale& dpi, bool settingsCollapsed) {
  PanelSize size = DefaultPanelSize(dpi);
  if (settingsCollapsed) size.height -= dpi.Y(86);
  return size;
}

PanelSize MainWindowSize(PanelSize panel, const DpiScale& dpi) {
  return {panel.width + dpi.X(1) + dpi.X(1), panel.height};
}

}  // namespace vwi
