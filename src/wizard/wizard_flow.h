// The wizard's panel flow and the main window's size.
#pragma once

#include <cstdint>

#include "context/app_flags.h"
#include "platform/geometry.h"
#include "theme/dpi_scaling.h"

namespace vwi {

enum PanelIndex : int32_t {
  kSettingPanelIndex = 0,
  kStatusPanelIndex = 1,
  kSuccessPanelIndex = 2,
};

// The first panel: the status panel at once when the product is installed
// already or the run is silent, else the settings panel.
int32_t FirstPanelIndex(const AppFlags& flags);

// The default outer size a panel asks for.
Size DefaultPanelSize(const DpiScale& dpi);

// The settings panel's size, ScaleY(86) lower while its settings are collapsed.
Size SettingPanelSize(const DpiScale& dpi, bool settingsCollapsed);

// The main window's outer size for a panel: one scaled pixel of border on
// each side, the panel's height.
Size MainWindowSize(Size panel, const DpiScale& dpi);

}  // namespace vwi
