#include "controls/window_placement.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(WindowPlacement, CentredOnTheWorkAreaOfAnyMonitor) {
  // A 1920 x 1080 screen with a 40-pixel taskbar at the bottom.
  EXPECT_EQ(CentredOnWorkArea(700, 400, {0, 0, 1920, 1040}), (Point{610, 320}));
  // A second monitor left of the first, with a taskbar at its top.
  EXPECT_EQ(CentredOnWorkArea(700, 400, {-1280, 30, 0, 1024}), (Point{-990, 327}));
  // Odd room: the spare pixel goes below and right.
  EXPECT_EQ(CentredOnWorkArea(10, 10, {0, 0, 21, 21}), (Point{5, 5}));
}

TEST(WindowPlacement, AWindowLargerThanTheWorkAreaKeepsItsCaptionOnIt) {
  EXPECT_EQ(CentredOnWorkArea(1000, 800, {0, 0, 800, 600}), (Point{0, 0}));
  EXPECT_EQ(CentredOnWorkArea(1000, 300, {100, 50, 900, 650}), (Point{100, 200}));
}

}  // namespace
}  // namespace vwi
