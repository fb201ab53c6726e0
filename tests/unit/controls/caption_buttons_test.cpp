#include "controls/caption_buttons.h"

#include <gtest/gtest.h>

#include "controls/frame_geometry.h"

namespace vwi {
namespace {

constexpr ThemePalette kPalette = StandardPalette();

// A frame of `width` at `dpi`, laid out as the dialog does on its first paint.
CaptionBar MakeBar(int dpi, int width, bool maximizeStyle, int glyph = 16) {
  static CImageWrapper glyphs[4];
  for (CImageWrapper& g : glyphs) g.width = g.height = glyph;
  CaptionBar bar;
  const DpiScale scale{dpi, dpi};
  bar.Create(scale, kPalette, {&glyphs[0], &glyphs[1], &glyphs[2], &glyphs[3]}, maximizeStyle);
  bar.Layout({0, 0, width, 400}, scale);
  return bar;
}

TEST(CaptionButtons, GeometryAt96) {
  const CaptionBar bar = MakeBar(96, 500, false);
  const auto& b = bar.buttons();
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[kCaptionClose].rect, (Rect{469, 1, 499, 31}));
  EXPECT_EQ(b[kCaptionClose].imageRect, (Rect{476, 8, 492, 24}));
  // Without the maximised style bit, Minimize sits directly left of Close.
  EXPECT_EQ(b[kCaptionMaximize].rect, (Rect{469, 1, 469, 1}));
  EXPECT_EQ(b[kCaptionMinimize].rect, (Rect{439, 1, 469, 31}));
  EXPECT_TRUE(b[kCaptionClose].visible);
  EXPECT_TRUE(b[kCaptionMaximize].visible);
  EXPECT_FALSE(b[kCaptionRestore].visible);
  EXPECT_TRUE(b[kCaptionMinimize].visible);
  // Maximize's empty box is never hit.
  EXPECT_EQ(bar.HitTest({469, 10}), kCaptionClose);
  EXPECT_EQ(bar.HitTest({468, 10}), kCaptionMinimize);
  EXPECT_EQ(bar.HitTest({438, 10}), -1);
  EXPECT_EQ(bar.HitTest({480, 0}), -1);  // the border row
}

TEST(CaptionButtons, GeometryAt144) {
  const CaptionBar bar = MakeBar(144, 600, false, 24);
  const auto& b = bar.buttons();
  EXPECT_EQ(b[kCaptionClose].rect, (Rect{554, 1, 599, 46}));  // 45 x 45
  EXPECT_EQ(b[kCaptionClose].imageRect, (Rect{564, 11, 588, 35}));
  EXPECT_EQ(b[kCaptionMinimize].rect, (Rect{509, 1, 554, 46}));
}

TEST(CaptionButtons, MaximizeAndRestoreShareTheirSpot) {
  CaptionBar bar = MakeBar(96, 500, true);
  const auto& b = bar.buttons();
  EXPECT_EQ(b[kCaptionMaximize].rect, (Rect{439, 1, 469, 31}));
  EXPECT_EQ(b[kCaptionRestore].rect, (Rect{439, 1, 469, 31}));
  EXPECT_EQ(b[kCaptionMinimize].rect, (Rect{409, 1, 439, 31}));
  EXPECT_EQ(bar.HitTest({450, 10}), kCaptionMaximize);
  bar.SetMaximized(true);
  EXPECT_EQ(bar.HitTest({450, 10}), kCaptionRestore);
}

TEST(CaptionButtons, ColoursByState) {
  CaptionBar bar = MakeBar(96, 500, false);
  CaptionButton& close = *bar.Find(kCaptionClose);
  EXPECT_EQ(close.BoxColor(), kPalette.frameBackground);
  close.hover = true;
  EXPECT_EQ(close.BoxColor(), kPalette.closeHover);
  close.pressed = true;
  EXPECT_EQ(close.BoxColor(), kPalette.closePressed);
  close.disabled = true;
  EXPECT_EQ(close.BoxColor(), kPalette.frameBackground);
  EXPECT_EQ(close.GlyphAlpha(), 50);
  CaptionButton& minimize = *bar.Find(kCaptionMinimize);
  minimize.hover = true;
  EXPECT_EQ(minimize.BoxColor(), kPalette.captionButtonHover);
  minimize.pressed = true;
  EXPECT_EQ(minimize.BoxColor(), kPalette.captionButtonPressed);
  EXPECT_EQ(minimize.GlyphAlpha(), 255);
}

TEST(CaptionButtons, HoverThenClickCloses) {
  CaptionBar bar = MakeBar(96, 500, false);
  const Point onClose{480, 10};
  auto move = bar.OnMouseMove(onClose);
  EXPECT_TRUE(move.repaint);
  EXPECT_TRUE(move.runDefault);
  EXPECT_TRUE(bar.Find(kCaptionClose)->hover);
  move = bar.OnMouseMove({481, 11});  // same button: nothing to repaint
  EXPECT_FALSE(move.repaint);
  EXPECT_TRUE(move.runDefault);

  const auto down = bar.OnLeftDown(onClose, 20);
  EXPECT_TRUE(down.repaint);
  EXPECT_FALSE(down.passToPlatform);
  EXPECT_TRUE(bar.nonClientPressed);
  EXPECT_TRUE(bar.Find(kCaptionClose)->pressed);

  const auto up = bar.OnLeftUp(onClose, false);
  EXPECT_EQ(up.command, CaptionCommand::kClose);
  EXPECT_FALSE(bar.nonClientPressed);
  EXPECT_FALSE(bar.Find(kCaptionClose)->pressed);
  EXPECT_FALSE(bar.Find(kCaptionClose)->hover);
}

TEST(CaptionButtons, ReleaseOutsideSendsNothingAndClears) {
  CaptionBar bar = MakeBar(96, 500, false);
  bar.OnLeftDown({480, 10}, 20);
  const auto up = bar.OnLeftUp({200, 10}, false);
  EXPECT_EQ(up.command, CaptionCommand::kNone);
  for (const CaptionButton& b : bar.buttons()) {
    EXPECT_EQ(b.BoxColor(), kPalette.frameBackground);
    EXPECT_FALSE(b.hot);
  }
}

TEST(CaptionButtons, PressOnMinimizeReleaseOnCloseSendsNothing) {
  CaptionBar bar = MakeBar(96, 500, false);
  bar.OnLeftDown({450, 10}, 8);
  // No move arrives while the button is held in the non-client area.
  EXPECT_EQ(bar.OnLeftUp({480, 10}, false).command, CaptionCommand::kNone);
  bar.OnLeftDown({450, 10}, 8);
  EXPECT_EQ(bar.OnLeftUp({450, 10}, false).command, CaptionCommand::kMinimize);
}

TEST(CaptionButtons, DisabledCloseIgnoresTheMouse) {
  CaptionBar bar = MakeBar(96, 500, false);
  bar.Find(kCaptionClose)->disabled = true;
  EXPECT_EQ(bar.HitTest({480, 10}), -1);
  bar.OnMouseMove({480, 10});
  EXPECT_FALSE(bar.Find(kCaptionClose)->hover);
  bar.OnLeftDown({480, 10}, 20);
  EXPECT_FALSE(bar.nonClientPressed);
  EXPECT_EQ(bar.OnLeftUp({480, 10}, false).command, CaptionCommand::kNone);
}

TEST(CaptionButtons, PressOffTheButtonsMovesOnlyOnCaptionOrBorder) {
  CaptionBar bar = MakeBar(96, 500, false);
  EXPECT_TRUE(bar.OnLeftDown({200, 10}, kHitCaption).passToPlatform);
  EXPECT_TRUE(bar.OnLeftDown({0, 200}, kHitLeft).passToPlatform);
  EXPECT_TRUE(bar.OnLeftDown({499, 399}, kHitBottomRight).passToPlatform);
  EXPECT_FALSE(bar.OnLeftDown({200, 10}, 20).passToPlatform);  // the platform's close box
  EXPECT_FALSE(bar.OnLeftDown({200, 10}, 0).passToPlatform);
}

TEST(CaptionButtons, LeaveKeepsAPressedButton) {
  CaptionBar bar = MakeBar(96, 500, false);
  bar.nonClientTracking = true;
  bar.OnLeftDown({480, 10}, 20);
  EXPECT_FALSE(bar.OnMouseLeave());
  EXPECT_FALSE(bar.nonClientTracking);
  EXPECT_TRUE(bar.Find(kCaptionClose)->pressed);
  bar.OnLeftUp({480, 10}, false);
  bar.OnMouseMove({480, 10});
  EXPECT_TRUE(bar.OnMouseLeave());
  EXPECT_FALSE(bar.Find(kCaptionClose)->hover);
}

TEST(CaptionButtons, MoveOffEveryButtonClears) {
  CaptionBar bar = MakeBar(96, 500, false);
  bar.OnMouseMove({480, 10});
  const auto move = bar.OnMouseMove({100, 10});
  EXPECT_TRUE(move.repaint);
  EXPECT_FALSE(move.runDefault);
  EXPECT_FALSE(bar.Find(kCaptionClose)->hover);
  // Moving from Close to Minimize moves the hover.
  bar.OnMouseMove({480, 10});
  bar.OnMouseMove({450, 10});
  EXPECT_FALSE(bar.Find(kCaptionClose)->hover);
  EXPECT_TRUE(bar.Find(kCaptionMinimize)->hover);
}

TEST(CaptionButtons, MaximizeCommandsNeedTheMaximizedStyle) {
  CaptionBar bar = MakeBar(96, 500, true);
  bar.OnLeftDown({450, 10}, 9);
  EXPECT_EQ(bar.OnLeftUp({450, 10}, false).command, CaptionCommand::kNone);
  bar.OnLeftDown({450, 10}, 9);
  EXPECT_EQ(bar.OnLeftUp({450, 10}, true).command, CaptionCommand::kMaximize);
  bar.SetMaximized(true);
  bar.OnLeftDown({450, 10}, 9);
  EXPECT_EQ(bar.OnLeftUp({450, 10}, true).command, CaptionCommand::kRestore);
}

TEST(CaptionButtons, DoubleClick) {
  const CaptionBar plain = MakeBar(96, 500, false);
  EXPECT_EQ(plain.OnDoubleClick({200, 10}, false, false), CaptionCommand::kNone);
  const CaptionBar bar = MakeBar(96, 500, true);
  EXPECT_EQ(bar.OnDoubleClick({200, 10}, true, false), CaptionCommand::kMaximize);
  EXPECT_EQ(bar.OnDoubleClick({200, 10}, true, true), CaptionCommand::kRestore);
  EXPECT_EQ(bar.OnDoubleClick({480, 10}, true, false), CaptionCommand::kNone);
}

TEST(FrameGeometry, ClientAreaAtBothStates) {
  EXPECT_EQ(FrameClientRect({100, 50, 600, 450}, false, {96, 96}), (Rect{101, 79, 599, 449}));
  EXPECT_EQ(FrameClientRect({100, 50, 600, 450}, false, {144, 144}), (Rect{101, 93, 599, 449}));
  EXPECT_EQ(FrameClientRect({-8, -8, 1288, 1000}, true, {96, 96}), (Rect{0, 29, 1280, 992}));
}

TEST(FrameGeometry, RegionIsOnePixelLargerOnRightAndBottom) {
  EXPECT_EQ(FrameRegionRect(500, 400, false), (Rect{0, 0, 501, 401}));
  EXPECT_EQ(FrameRegionRect(1296, 1008, true), (Rect{8, 0, 1289, 1001}));
}

TEST(FrameGeometry, PaintLayoutAt96And144) {
  const FramePaintLayout f = ComputeFramePaintLayout(500, 400, 498, 370, 0, false, {96, 96});
  EXPECT_EQ(f.clientArea, (Rect{1, 29, 499, 399}));
  EXPECT_EQ(f.caption, (Rect{1, 1, 499, 29}));
  EXPECT_EQ(f.borderTop, (Rect{0, 0, 500, 1}));
  EXPECT_EQ(f.borderBottom, (Rect{0, 399, 500, 400}));
  EXPECT_EQ(f.borderRight, (Rect{499, 0, 500, 400}));

  const FramePaintLayout g = ComputeFramePaintLayout(600, 450, 598, 406, 0, false, {144, 144});
  EXPECT_EQ(g.caption, (Rect{1, 1, 599, 43}));  // 42 px high
  EXPECT_EQ(g.clientArea.top, 43);

  const FramePaintLayout m = ComputeFramePaintLayout(1296, 1008, 1280, 971, 8, true, {96, 96});
  EXPECT_EQ(m.layout, (Rect{8, 8, 1288, 1000}));
  EXPECT_EQ(m.clientArea, (Rect{8, 37, 1288, 1008}));
}

TEST(FrameGeometry, IconAndTitle) {
  const Rect caption{1, 1, 499, 29};
  const CaptionTitleLayout withIcon = ComputeCaptionTitleLayout(caption, true, 17, {96, 96}, 499);
  EXPECT_EQ(withIcon.icon, (Rect{5, 6, 23, 24}));
  EXPECT_EQ(withIcon.title, (Rect{28, 6, 499, 23}));
  const CaptionTitleLayout plain = ComputeCaptionTitleLayout(caption, false, 17, {96, 96}, 499);
  EXPECT_TRUE(plain.icon.Empty());
  EXPECT_EQ(plain.title, (Rect{6, 6, 499, 23}));
  const CaptionTitleLayout big =
      ComputeCaptionTitleLayout({1, 1, 599, 43}, true, 25, {144, 144}, 599);
  EXPECT_EQ(big.icon, (Rect{5, 8, 32, 35}));
  EXPECT_EQ(big.title.left, 37);
  EXPECT_EQ(big.title.top, 9);
}

TEST(FrameGeometry, ALongTitleEndsBeforeTheCaptionButtons) {
  // Minimize at 403, Close beside it: the title stops four pixels short.
  const Rect caption{1, 1, 499, 29};
  const CaptionTitleLayout t = ComputeCaptionTitleLayout(caption, true, 17, {96, 96}, 403);
  EXPECT_EQ(t.title, (Rect{28, 6, 399, 23}));
  const CaptionTitleLayout scaled =
      ComputeCaptionTitleLayout({1, 1, 749, 43}, false, 25, {144, 144}, 605);
  EXPECT_EQ(scaled.title.right, 599);
  // Buttons that leave no room give an empty title, never a reversed one.
  const CaptionTitleLayout none = ComputeCaptionTitleLayout(caption, true, 17, {96, 96}, 20);
  EXPECT_EQ(none.title.right, none.title.left);
}

}  // namespace
}  // namespace vwi
