// Where the status and the success panels put their controls, from the
// client rectangle.
#pragma once

#include "platform/geometry.h"
#include "theme/dpi_scaling.h"

namespace vwi {

struct StatusPanelLayout {
  Rect slideShow;     // 170
  Rect statusLabel;   // 122
  Rect timeLabel;     // 173
  Rect percentLabel;  // 123
  Rect progressBar;   // 105; its bar is the whole rectangle
};

// The slide show spans the panel under the caption; the two text lines, the
// percentage and the bar sit below it with a margin on each side.
StatusPanelLayout LayoutStatusPanel(const Rect& client, const DpiScale& dpi);

struct SuccessPanelLayout {
  Rect startNow;     // 1
  Rect launchBox;    // 150
  Rect launchLabel;  // 151
};

SuccessPanelLayout LayoutSuccessPanel(const Rect& client, const DpiScale& dpi);

}  // namespace vwi
