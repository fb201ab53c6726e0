#include "wizard/setting_panel_layout.h"

#include <gtest/gtest.h>

#include "wizard/wizard_flow.h"

namespace vwi {
namespace {

constexpr DpiScale k96{96, 96};
constexpr DpiScale k120{120, 120};

// Tahoma 14 px texts as measured at 96 DPI: lower than the default heights.
SettingLabelTexts TahomaTexts() {
  SettingLabelTexts texts;
  texts.acceptLabel = {66, 14};
  texts.licenseLink = {76, 14};
  texts.settingsLabel = {114, 14};
  texts.folderLabel = {100, 14};
  return texts;
}

TEST(SettingPanelLayout, MatchesTheFiguresAt96Dpi) {
  const Size panel = SettingPanelSize(k96, false);
  const Rect client{0, 0, panel.width, panel.height};
  const SettingPanelLayout layout = LayoutSettingPanel(client, TahomaTexts(), k96);
  EXPECT_EQ(layout.install, (Rect{180, 174, 480, 208}));
  EXPECT_EQ(layout.acceptBox.top, 224);
  EXPECT_EQ(layout.acceptLabel.top, 223);
  EXPECT_EQ(layout.settingsLabel.top, 305);
  EXPECT_EQ(layout.expander.top, 305);
  EXPECT_EQ(layout.separatorY, 333);
  EXPECT_EQ(layout.folderEdit.top, 361);
  EXPECT_EQ(layout.folderEdit.Height(), 30);
  EXPECT_EQ(layout.browse.Width(), 24);
  EXPECT_EQ(layout.browse.right, 660 - 68);
  EXPECT_EQ(layout.folderEdit.right, layout.browse.left);
  // Below the 30-pixel caption and frame the client area is 416 pixels high
  // expanded and 330 collapsed: the folder row fits the first, the separator
  // falls outside the second.
  EXPECT_LE(layout.folderEdit.bottom, 416);
  EXPECT_GT(layout.separatorY, 330);
  EXPECT_EQ(SettingPanelSize(k96, false).height - SettingPanelSize(k96, true).height, 86);
}

TEST(SettingPanelLayout, LicenceRowIsCentredAsOneGroup) {
  const Rect client{0, 0, 660, 446};
  const SettingPanelLayout layout = LayoutSettingPanel(client, TahomaTexts(), k96);
  // box 16 + gap 4 + label 66 + link 76 = 162, centred in 660.
  EXPECT_EQ(layout.acceptBox.left, (660 - 16 - 76 - 66 - 4) / 2);
  EXPECT_EQ(layout.acceptLabel.left, layout.acceptBox.right + 4);
  EXPECT_EQ(layout.licenseLink.left, layout.acceptLabel.right + 4);
  EXPECT_EQ(layout.licenseLink.right, 660);
}

TEST(SettingPanelLayout, LabelsWithoutTextKeepTheirDefaultSize) {
  EXPECT_EQ(MeasureLabel({0, 40}, {138, 16}), (Size{138, 16}));
  EXPECT_EQ(MeasureLabel({50, 12}, {138, 16}), (Size{50, 16}));
  EXPECT_EQ(MeasureLabel({50, 20}, {138, 16}), (Size{50, 20}));
}

TEST(SettingPanelLayout, FolderLabelEndsAtTheLabelColumn) {
  const SettingPanelLayout layout = LayoutSettingPanel({0, 0, 660, 446}, TahomaTexts(), k96);
  EXPECT_EQ(layout.associationLabel.left, 68);
  EXPECT_EQ(layout.folderLabel.right, layout.associationLabel.right);
  EXPECT_EQ(layout.folderLabel.Width(), 100);
}

TEST(SettingPanelLayout, TheBoxesItemsAreTwentyFourPixelsAt96DpiAndTheListKeepsFour) {
  EXPECT_EQ(SettingComboItemHeight({96, 96}), 24);
  EXPECT_EQ(SettingComboItemHeight({144, 120}), 30);  // by the vertical DPI, cut down
  EXPECT_EQ(SettingComboItemHeight({144, 144}), 36);
  EXPECT_EQ(SettingDropDownListRoom({96, 96}), 96);
}

TEST(WizardFlow, FirstPanelAndWindowSizes) {
  AppFlags flags;
  EXPECT_EQ(FirstPanelIndex(flags), kSettingPanelIndex);
  flags.silentMode = true;
  EXPECT_EQ(FirstPanelIndex(flags), kStatusPanelIndex);
  flags = {};
  flags.productInstalled = true;
  EXPECT_EQ(FirstPanelIndex(flags), kStatusPanelIndex);

  EXPECT_EQ(MainWindowSize(DefaultPanelSize(k96), k96), (Size{662, 446}));
  EXPECT_EQ(MainWindowSize(DefaultPanelSize(k120), k120), (Size{827, 557}));
  EXPECT_EQ(MainWindowSize(SettingPanelSize(k120, true), k120), (Size{827, 450}));
}

}  // namespace
}  // namespace vwi
