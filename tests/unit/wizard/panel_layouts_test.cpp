#include "wizard/panel_layouts.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

constexpr DpiScale k96{96, 96};
constexpr DpiScale k120{120, 120};

TEST(StatusPanelLayout, At96Dpi) {
  // The panel's client area inside the 662 x 446 main window.
  const StatusPanelLayout layout = LayoutStatusPanel({0, 0, 660, 416}, k96);
  EXPECT_EQ(layout.slideShow, (Rect{0, 36, 660, 320}));
  EXPECT_EQ(layout.statusLabel, (Rect{30, 335, 530, 355}));
  EXPECT_EQ(layout.timeLabel, (Rect{30, 355, 530, 375}));
  EXPECT_EQ(layout.percentLabel, (Rect{530, 355, 630, 375}));
  EXPECT_EQ(layout.progressBar, (Rect{30, 385, 630, 393}));
}

TEST(StatusPanelLayout, At120DpiTheMarginsScaleInTheirOwnDirection) {
  const StatusPanelLayout layout = LayoutStatusPanel({0, 0, 825, 520}, k120);
  EXPECT_EQ(layout.slideShow, (Rect{0, 45, 825, 400}));
  // Horizontal margins use the vertical factor; at square DPI they agree.
  EXPECT_EQ(layout.statusLabel, (Rect{37, 418, 825 - 125 - 37, 443}));
  EXPECT_EQ(layout.percentLabel.right, 825 - 37);
  EXPECT_EQ(layout.progressBar.Height(), 10);
}

TEST(SuccessPanelLayout, At96Dpi) {
  const SuccessPanelLayout layout = LayoutSuccessPanel({0, 0, 660, 416}, k96);
  EXPECT_EQ(layout.startNow, (Rect{180, 240, 480, 274}));
  EXPECT_EQ(layout.launchBox, (Rect{30, 376, 50, 396}));
  EXPECT_EQ(layout.launchLabel, (Rect{54, 376, 660, 396}));
}

TEST(SuccessPanelLayout, StartNowStaysCentredInAnOddWidth) {
  const SuccessPanelLayout layout = LayoutSuccessPanel({10, 0, 671, 416}, k96);
  EXPECT_EQ(layout.startNow.left, 10 + (661 - 300) / 2);
  EXPECT_EQ(layout.startNow.Width(), 300);
}

}  // namespace
}  // namespace vwi
