#include <gtest/gtest.h>

#include "controls/progress_geometry.h"
#include "controls/slide_show_timing.h"

namespace vwi {
namespace {

TEST(ProgressShape, CentredTrackWithoutFillAtZero) {
  const ProgressShape s = ComputeProgressShape({0, 0, 500, 20}, 400, 6, 3, 3, 0, 1000);
  EXPECT_FLOAT_EQ(s.x0, 50);
  EXPECT_FLOAT_EQ(s.y0, 7);
  EXPECT_FLOAT_EQ(s.x1, 450);
  EXPECT_FLOAT_EQ(s.y1, 13);
  EXPECT_FALSE(s.hasFill);
}

TEST(ProgressShape, FillFollowsThePosition) {
  const ProgressShape s = ComputeProgressShape({10, 0, 510, 21}, 400, 6, 3, 3, 425, 1000);
  EXPECT_FLOAT_EQ(s.x0, 60);
  EXPECT_FLOAT_EQ(s.y0, 7.5f);
  EXPECT_TRUE(s.hasFill);
  EXPECT_FLOAT_EQ(s.fillRight, 230);
  const ProgressShape full = ComputeProgressShape({0, 0, 500, 20}, 400, 6, 3, 3, 1000, 1000);
  EXPECT_FLOAT_EQ(full.fillRight, full.x1);
  const ProgressShape over = ComputeProgressShape({0, 0, 500, 20}, 400, 6, 3, 3, 1500, 1000);
  EXPECT_FLOAT_EQ(over.fillRight, over.x1);
  const ProgressShape noRange = ComputeProgressShape({0, 0, 500, 20}, 400, 6, 3, 3, 5, 0);
  EXPECT_FLOAT_EQ(noRange.fillRight, noRange.x1);
}

TEST(ProgressShape, NarrowBarClampsTheVerticalRadius) {
  const ProgressShape s = ComputeProgressShape({0, 0, 10, 10}, 4, 6, 3, 3, 0, 100);
  EXPECT_FLOAT_EQ(s.radiusX, 3);
  EXPECT_FLOAT_EQ(s.radiusY, 2);
}

const Rect kArea{0, 0, 600, 300};
const SlideTiming kTiming;

TEST(SlideShow, NoPicturesDrawNothing) {
  EXPECT_TRUE(PlaceSlides(3.0, kTiming, {}, kArea).empty());
}

TEST(SlideShow, OnePictureStandsStillAllTheTime) {
  const std::vector<Size> one = {{400, 200}};
  for (double t : {0.0, 7.5, 7.8, 8.09, 8.1, 100.0}) {
    SCOPED_TRACE(t);
    EXPECT_EQ(PlaceSlides(t, kTiming, one, kArea), (std::vector<SlideDraw>{{0, {100, 50}}}));
  }
}

TEST(SlideShow, TwoPicturesCycle) {
  const std::vector<Size> two = {{400, 200}, {600, 300}};
  using V = std::vector<SlideDraw>;
  EXPECT_EQ(PlaceSlides(0.0, kTiming, two, kArea), (V{{0, {100, 50}}}));
  EXPECT_EQ(PlaceSlides(7.5, kTiming, two, kArea), (V{{0, {100, 50}}}));
  // Half-way through the slide: each picture has moved by half the width.
  EXPECT_EQ(PlaceSlides(7.8, kTiming, two, kArea), (V{{0, {-200, 50}}, {1, {300, 0}}}));
  EXPECT_EQ(PlaceSlides(8.1, kTiming, two, kArea), (V{{1, {0, 0}}}));
  EXPECT_EQ(PlaceSlides(15.6, kTiming, two, kArea), (V{{1, {0, 0}}}));
  // Then the first comes back from the right.
  EXPECT_EQ(PlaceSlides(15.9, kTiming, two, kArea), (V{{1, {-300, 0}}, {0, {400, 50}}}));
  EXPECT_EQ(PlaceSlides(16.2, kTiming, two, kArea), (V{{0, {100, 50}}}));
}

TEST(SlideShow, LargePictureIsCentredAndClipped) {
  const std::vector<Size> big = {{800, 500}};
  EXPECT_EQ(PlaceSlides(1.0, kTiming, big, kArea), (std::vector<SlideDraw>{{0, {-100, -100}}}));
}

}  // namespace
}  // namespace vwi
