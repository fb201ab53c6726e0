#include <gtest/gtest.h>

#include "controls/action_button_style.h"
#include "controls/combo_layout.h"
#include "controls/edit_rules.h"
#include "controls/flat_button_layout.h"
#include "controls/key_click.h"
#include "controls/keyboard_cues.h"
#include "controls/push_button_mouse.h"

namespace vwi {
namespace {

constexpr ThemePalette kPalette = StandardPalette();

TEST(PushButtonMouse, PressAndReleaseInsideClicks) {
  PushButtonMouse m;
  EXPECT_TRUE(m.OnLeftDown());
  EXPECT_TRUE(m.pressed);
  EXPECT_FALSE(m.OnLeftDown());  // a second down while captured changes nothing
  const auto up = m.OnLeftUp(true);
  EXPECT_TRUE(up.releaseCapture);
  EXPECT_TRUE(up.click);
  EXPECT_FALSE(m.pressed);
  EXPECT_FALSE(m.captured);
}

TEST(PushButtonMouse, ReleaseOutsideDoesNotClick) {
  PushButtonMouse m;
  m.OnLeftDown();
  const auto up = m.OnLeftUp(false);
  EXPECT_TRUE(up.releaseCapture);
  EXPECT_FALSE(up.click);
  // A release without a press (the capture went elsewhere) does nothing.
  EXPECT_FALSE(m.OnLeftUp(true).click);
}

TEST(PushButtonMouse, HoverAndLeave) {
  PushButtonMouse m;
  m.OnHover();
  EXPECT_TRUE(m.hover);
  EXPECT_TRUE(m.tracking);
  m.OnLeave();
  EXPECT_FALSE(m.hover);
  EXPECT_FALSE(m.tracking);
}

TEST(ActionButton, LookPerState) {
  const ActionButtonColors c = StandardActionButtonColors(kPalette);
  EXPECT_EQ(c.backColor, kPalette.panelBackground);
  using L = ActionButtonLook;
  EXPECT_EQ(ChooseActionButtonLook(c, true, false, false), (L{kPalette.actionNormal, 0xFFFFFF}));
  EXPECT_EQ(ChooseActionButtonLook(c, true, true, false), (L{kPalette.actionHover, 0xFFFFFF}));
  // Held down over the button: hover wins; dragged outside: pressed.
  EXPECT_EQ(ChooseActionButtonLook(c, true, true, true), (L{kPalette.actionHover, 0xFFFFFF}));
  EXPECT_EQ(ChooseActionButtonLook(c, true, false, true), (L{kPalette.actionPressed, 0xFFFFFF}));
  EXPECT_EQ(ChooseActionButtonLook(c, false, true, true),
            (L{kPalette.actionDisabled, kPalette.actionTextDisabled}));
}

TEST(ActionButton, RadiusClamp) {
  EXPECT_FLOAT_EQ(ClampRadius(4, 20), 4);
  EXPECT_FLOAT_EQ(ClampRadius(4, 6), 3);
  EXPECT_FLOAT_EQ(ClampRadius(3, 4), 2);  // a 4 px progress bar
  EXPECT_FLOAT_EQ(ClampRadius(6, 0), 0);
}

TEST(ActionButton, InkHeightCentring) {
  // A line 17 high in a 40 px layout box whose ink stays inside the line.
  TextInkMetrics line{0, 17, -3, -26, 40};
  EXPECT_EQ(InkHeight(line), 17);
  EXPECT_EQ(LabelTop(0, 40, 17), 11);
  // Ink above the layout box and below the line both add, rounded up.
  TextInkMetrics tall{0, 16.2f, 1.5f, -22, 40};
  EXPECT_EQ(InkHeight(tall), 20);  // 1.5 + 16.2 + 1.8
  EXPECT_EQ(LabelTop(5, 33, 20), 11);
}

TEST(EditRules, VerticalPad) {
  EXPECT_EQ(EditVerticalPad(24, 0, 16), 4);
  EXPECT_EQ(EditVerticalPad(25, 1, 16), 4);
  EXPECT_EQ(EditVerticalPad(10, 0, 16), 0);
}

TEST(EditRules, FirstClickSelectsAll) {
  EXPECT_EQ(DecideEditLeftClick(false, true), EditClick::kSelectAll);
  EXPECT_EQ(DecideEditLeftClick(true, true), EditClick::kPlaceCaret);
  EXPECT_EQ(DecideEditLeftClick(false, false), EditClick::kPlaceCaret);
  EXPECT_EQ(DecideEditRightClick(false, true), EditSelection::kAll);
  EXPECT_EQ(DecideEditRightClick(true, true), EditSelection::kNone);
  EXPECT_EQ(DecideEditRightClick(false, false), EditSelection::kNone);
}

TEST(EditRules, Shortcuts) {
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'A', false), EditShortcut::kSelectAll);
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'C', false), EditShortcut::kCopy);
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'X', false), EditShortcut::kCut);
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'V', true), EditShortcut::kPaste);
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'V', false), EditShortcut::kConsume);
  EXPECT_EQ(ClassifyEditShortcut(true, true, 'V', true), EditShortcut::kPlatform);
  EXPECT_EQ(ClassifyEditShortcut(false, false, 'A', true), EditShortcut::kPlatform);
  EXPECT_EQ(ClassifyEditShortcut(true, false, 'Z', true), EditShortcut::kPlatform);
}

TEST(FlatButton, FrameIsCentred) {
  EXPECT_EQ(CentredFrameRect(20, 20, 16, 16), (Rect{2, 2, 18, 18}));
  EXPECT_EQ(CentredFrameRect(21, 15, 14, 8), (Rect{3, 3, 17, 11}));
  EXPECT_EQ(StaticFocusRect({0, 0, 100, 20}), (Rect{2, 2, 98, 18}));
}

TEST(Combo, BoxLayoutAt96) {
  const ComboBoxLayout l = ComputeComboBoxLayout({0, 0, 200, 28}, 14, 14, 17, {96, 96});
  EXPECT_EQ(l.strip, (Rect{176, 0, 200, 28}));  // ScaleX(24) beats the frame width
  EXPECT_EQ(l.chevron, (Point{181, 7}));
  EXPECT_EQ(l.text, (Rect{4, 5, 179, 22}));
  EXPECT_EQ(l.arrowZone, (Rect{178, 0, 196, 28}));
  EXPECT_EQ(l.edit, (Rect{0, 0, 184, 28}));
  EXPECT_EQ(ComboChevronFrame(true), 1);
  EXPECT_EQ(ComboChevronFrame(false), 2);
}

TEST(Combo, BoxLayoutAt144) {
  const ComboBoxLayout l = ComputeComboBoxLayout({0, 0, 300, 42}, 21, 21, 25, {144, 144});
  EXPECT_EQ(l.strip, (Rect{264, 0, 300, 42}));
  EXPECT_EQ(l.chevron, (Point{272, 10}));
  EXPECT_EQ(l.text.left, 6);
  EXPECT_EQ(ComboItemHeight({144, 144}), 33);
  EXPECT_EQ(ComboListHeight({96, 96}), 154);
}

TEST(Combo, DroppedWidthAddsTheScrollBarFrom31Items) {
  ComboWidthInputs in;
  in.itemTextWidths.assign(30, 80);
  in.itemTextWidths[7] = 120;
  in.scrollBarWidth = 17;
  in.edgeWidth = 2;
  in.averageCharWidth = 6;
  in.boxWidth = 100;
  EXPECT_EQ(ComboDroppedWidth(in, {96, 96}), 120 + 4 + 12);
  in.itemTextWidths.push_back(80);
  EXPECT_EQ(ComboDroppedWidth(in, {96, 96}), 120 + 17 + 4 + 12);
  in.boxWidth = 400;
  EXPECT_EQ(ComboDroppedWidth(in, {96, 96}), 400);
  EXPECT_EQ(ComboDroppedWidth(ComboWidthInputs{{}, 17, 2, 6, 150}, {96, 96}), 150);
}

TEST(Combo, ListStaysOnScreen) {
  EXPECT_EQ(ComboListShift(1100, 1400, 1280), 120);
  EXPECT_EQ(ComboListShift(100, 400, 1280), 0);
  EXPECT_EQ(ComboListShift(1300, 1500, 1280), 0);  // the box is on another monitor
}

TEST(Combo, ItemLayout) {
  EXPECT_EQ(ComboItemTextRect(200, 22, {96, 96}), (Rect{4, 1, 192, 20}));
  EXPECT_EQ(ComboItemTextRect(200, 33, {144, 144}), (Rect{6, 1, 192, 31}));
}

}  // namespace
}  // namespace vwi

namespace vwi {
namespace {

TEST(KeyClick, OnePressIsOneClickOnRelease) {
  constexpr int kSpace = 0x20, kEnter = 0x0D;
  int box = 0, other = 0;
  KeyClick keys;
  keys.Down(kSpace, &box, false);
  // Auto-repeat while held: still one press.
  for (int i = 0; i < 20; ++i) keys.Down(kSpace, &box, true);
  EXPECT_TRUE(keys.Up(kSpace, &box));
  EXPECT_FALSE(keys.Up(kSpace, &box));  // a second release clicks nothing
  // A release without its press (the press went to another window).
  EXPECT_FALSE(keys.Up(kEnter, &box));
  // The focus moved to another control while the key was down.
  keys.Down(kEnter, &box, false);
  EXPECT_FALSE(keys.Up(kEnter, &other));
  // Another key's release does not end the press.
  keys.Down(kEnter, &box, false);
  EXPECT_FALSE(keys.Up(kSpace, &box));
  EXPECT_TRUE(keys.Up(kEnter, &box));
  // A repeat that arrives first (the press began before the window had the
  // keyboard) is taken as the press.
  keys.Down(kSpace, &other, true);
  EXPECT_TRUE(keys.Up(kSpace, &other));
}

}  // namespace
}  // namespace vwi

namespace vwi {
namespace {

TEST(KeyboardCues, HiddenUntilTheKeyboardIsUsedUnlessAlwaysShown) {
  KeyboardCues cues(/*alwaysShown=*/false);
  EXPECT_TRUE(cues.Hidden());
  EXPECT_TRUE(cues.KeyboardUsed());  // the marks are to be drawn now
  EXPECT_FALSE(cues.Hidden());
  EXPECT_FALSE(cues.KeyboardUsed());  // once is enough
  KeyboardCues always(/*alwaysShown=*/true);
  EXPECT_FALSE(always.Hidden());
  EXPECT_FALSE(always.KeyboardUsed());
}

}  // namespace
}  // namespace vwi
