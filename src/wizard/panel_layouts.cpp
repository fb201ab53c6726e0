#include "wizard/panel_layouts.h"

namespace vwi {
namespace {

Rect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

StatusPanelLayout LayoutStatusPanel(const Rect& client, const DpiScale& dpi) {
  const int L = client.left, T = client.top, R = client.right;
  StatusPanelLayout layout;
  layout.slideShow = At(L, T + dpi.X(36), R - L, dpi.Y(284));
  const int margin = dpi.Y(30);
  layout.statusLabel = {L + margin, layout.slideShow.bottom + dpi.Y(15), R - dpi.X(100) - margin,
                        layout.slideShow.bottom + dpi.Y(15) + dpi.Y(20)};
  layout.timeLabel = layout.statusLabel.Offset(0, dpi.Y(20));
  layout.percentLabel = {layout.timeLabel.right, layout.timeLabel.top, R - margin,
                         layout.timeLabel.bottom};
  const int barLeft = L + margin;
  layout.progressBar =
      At(barLeft, layout.timeLabel.bottom + dpi.Y(10), R - margin - barLeft, dpi.Y(8));
  return layout;
}

SuccessPanelLayout LayoutSuccessPanel(const Rect& client, const DpiScale& dpi) {
  const int L = client.left, T = client.top, R = client.right, B = client.bottom;
  SuccessPanelLayout layout;
  layout.startNow = At(L + (R - L - dpi.X(300)) / 2, T + dpi.X(240), dpi.X(300), dpi.Y(34));
  const int y = B - dpi.Y(20) - dpi.Y(20);
  layout.launchBox = At(L + dpi.Y(30), y, dpi.X(20), dpi.Y(20));
  const int labelLeft = L + dpi.Y(30) + dpi.X(20) + dpi.X(4);
  layout.launchLabel = At(labelLeft, y, R - labelLeft, dpi.Y(20));
  return layout;
}

}  // namespace vwi
