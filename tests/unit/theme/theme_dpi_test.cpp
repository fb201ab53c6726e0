#include <gtest/gtest.h>

#include "theme/dpi_scaling.h"
#include "theme/font_style.h"
#include "theme/theme_metrics.h"
#include "theme/theme_palette.h"

namespace vwi {
namespace {

DpiScale At(int dpi) { return {dpi, dpi}; }

TEST(ThemeDpi, At96EverythingIsUnchanged) {
  const DpiScale d = At(96);
  for (int px : {0, 1, 4, 14, 28, 161}) {
    EXPECT_EQ(d.Linear(px), px);
    EXPECT_EQ(d.X(px), px);
    EXPECT_EQ(d.Y(px), px);
  }
  EXPECT_EQ(d.Bucket(), 96);
  EXPECT_EQ(d.ImageId(106), 106);
}

TEST(ThemeDpi, StepFactorSteps) {
  EXPECT_EQ(StepFactor(96), 1.0);
  EXPECT_EQ(StepFactor(110), 1.0);
  EXPECT_EQ(StepFactor(119), 1.0);
  EXPECT_EQ(StepFactor(120), 1.25);
  EXPECT_EQ(StepFactor(143), 1.25);
  EXPECT_EQ(StepFactor(144), 1.5);
  EXPECT_EQ(StepFactor(168), 1.5);
  EXPECT_EQ(StepFactor(191), 1.5);
  EXPECT_EQ(StepFactor(192), 2.0);
  EXPECT_EQ(StepFactor(240), 2.0);
  EXPECT_EQ(StepFactor(0), 1.0);
}

TEST(ThemeDpi, TableAtEachDpi) {
  struct Row {
    int dpi, scaleX1, scaleX28, scaleX15, linear4, linear14, bucket, image106, image129, image161;
  };
  const Row rows[] = {
      {96, 1, 28, 15, 4, 14, 96, 106, 129, 161},    {110, 1, 28, 15, 4, 16, 110, 106, 129, 161},
      {120, 1, 35, 18, 5, 17, 120, 107, 130, 162},  {144, 1, 42, 22, 6, 21, 144, 108, 131, 163},
      {168, 1, 42, 22, 7, 24, 144, 108, 131, 163},  {192, 2, 56, 30, 8, 28, 192, 109, 132, 164},
      {240, 2, 56, 30, 10, 35, 192, 109, 132, 164},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.dpi);
    const DpiScale d = At(r.dpi);
    EXPECT_EQ(d.X(1), r.scaleX1);
    EXPECT_EQ(d.X(28), r.scaleX28);
    EXPECT_EQ(d.Y(28), r.scaleX28);
    EXPECT_EQ(d.X(15), r.scaleX15);
    EXPECT_EQ(d.Linear(4), r.linear4);
    EXPECT_EQ(d.Linear(14), r.linear14);
    EXPECT_EQ(d.Bucket(), r.bucket);
    EXPECT_EQ(d.ImageId(106), r.image106);
    EXPECT_EQ(d.ImageId(129), r.image129);
    EXPECT_EQ(d.ImageId(161), r.image161);
  }
}

TEST(ThemeDpi, HorizontalAndVerticalUseTheirOwnDpi) {
  const DpiScale d{96, 144};
  EXPECT_EQ(d.X(28), 28);
  EXPECT_EQ(d.Y(28), 42);
  EXPECT_EQ(d.Linear(14), 14);  // follows dpiX
  EXPECT_EQ(d.Bucket(), 144);   // follows dpiY
}

TEST(ThemeDpi, UnreadableScreenGivesZeroAndSmallestImages) {
  const DpiScale d{0, 0};
  EXPECT_EQ(d.Linear(14), 0);
  EXPECT_EQ(d.X(14), 14);
  EXPECT_EQ(d.Y(28), 28);
  EXPECT_EQ(d.Bucket(), 0);
  EXPECT_EQ(d.ImageId(144), 144);
}

TEST(ThemeDpi, ScreenFunctionsUseTheScreenDpi) {
  SetScreenDpiForTesting(At(120));
  EXPECT_EQ(ScaleX(28), 35);
  EXPECT_EQ(ScaleY(28), 35);
  EXPECT_EQ(ScaleLinear(4), 5);
  EXPECT_EQ(DpiBucket(), 120);
  EXPECT_EQ(ImageIdForDpi(129), 130);
  SetScreenDpiForTesting(At(96));
}

TEST(ThemeMetrics, RadiiFollowTheDpiExactly) {
  const ThemeMetrics m96 = ComputeThemeMetrics(At(96));
  EXPECT_EQ(m96.actionRadiusX, 4);
  EXPECT_EQ(m96.actionRadiusY, 4);
  EXPECT_FLOAT_EQ(m96.progressRadiusX, 3.0f);
  EXPECT_FLOAT_EQ(m96.progressRadiusY, 3.0f);

  const ThemeMetrics m = ComputeThemeMetrics({110, 168});
  EXPECT_EQ(m.actionRadiusX, 4);  // trunc(4.58)
  EXPECT_EQ(m.actionRadiusY, 7);
  EXPECT_FLOAT_EQ(m.progressRadiusX, 3.4375f);  // not truncated
  EXPECT_FLOAT_EQ(m.progressRadiusY, 5.25f);
}

TEST(ThemeFonts, StylesAtTwoDpis) {
  const ThemeFontStyles s96 = MakeThemeFontStyles(At(96));
  EXPECT_EQ(s96.labelFont, (FontStyle{u"Tahoma", 14, 400, false, false}));
  EXPECT_EQ(s96.linkFont, (FontStyle{u"Tahoma", 14, 400, true, false}));
  EXPECT_EQ(s96.buttonFont, (FontStyle{u"Tahoma", 18, 400, false, false}));
  EXPECT_EQ(s96.headlineFont, (FontStyle{u"Arial", 32, 700, false, false}));

  // Heights follow the horizontal DPI in steps.
  const ThemeFontStyles s = MakeThemeFontStyles({168, 96});
  EXPECT_EQ(s.labelFont.height, 21);
  EXPECT_EQ(s.buttonFont.height, 27);
  EXPECT_EQ(s.headlineFont.height, 48);

  EXPECT_EQ(CaptionFontStyle({96, 144}), (FontStyle{u"Arial", 22, 400, false, true}));
  EXPECT_EQ(StaticFallbackFontStyle(At(168)), (FontStyle{u"Arial", 24, 400, false, true}));
}

TEST(ThemePalette, ColoursAreStoredAsColorRef) {
  constexpr ThemePalette p = StandardPalette();
  EXPECT_EQ(p.panelBackground, 0x001E1918u);  // (24, 25, 30)
  EXPECT_EQ(p.closeHover, MakeRgb(181, 39, 36));
  EXPECT_EQ(RedOf(p.actionHover), 23);
  EXPECT_EQ(GreenOf(p.actionHover), 190);
  EXPECT_EQ(BlueOf(p.actionHover), 244);
  EXPECT_EQ(p.progressFill, p.actionNormal);
  EXPECT_EQ(p.actionTextDisabled, MakeRgb(240, 240, 240));
}

}  // namespace
}  // namespace vwi
