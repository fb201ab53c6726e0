// Where the settings panel's controls go, from the client rectangle and the
// measured sizes of its labels.
#pragma once

#include "platform/geometry.h"
#include "theme/dpi_scaling.h"

namespace vwi {

// The sizes of the labels' current texts in their fonts (0 × 0 when a text
// is empty); MeasureLabel turns them into the sizes laid out.
struct SettingLabelTexts {
  Size acceptLabel;       // 135, label font
  Size licenseLink;       // 152, link font
  Size settingsLabel;     // 136, link font
  Size languageLabel;     // 174, link font
  Size associationLabel;  // 175, link font
  Size folderLabel;       // 140, link font
};

struct SettingPanelLayout {
  Rect install;           // 133
  Rect acceptBox;         // 134
  Rect acceptLabel;       // 135
  Rect licenseLink;       // 152
  Rect settingsLabel;     // 136
  Rect expander;          // 138
  Rect languageLabel;     // 174
  Rect languageBox;       // 141
  Rect associationLabel;  // 175
  Rect associationBox;    // 176
  Rect folderLabel;       // 140
  Rect folderEdit;        // 143
  Rect browse;            // 148
  int separatorLeft = 0;
  int separatorY = 0;
};

// A label's laid-out size: its text's width, and the larger of the text's
// and the default height, when the text has a width; the default otherwise.
Size MeasureLabel(Size text, Size defaultSize);

// The height of the settings boxes' selection field and of every item of
// their lists: trunc(dpiY * 24 / 96).
int SettingComboItemHeight(const DpiScale& dpi);
// The room below a settings box that its window keeps for the list: four
// items.
inline int SettingDropDownListRoom(const DpiScale& dpi) { return 4 * SettingComboItemHeight(dpi); }

SettingPanelLayout LayoutSettingPanel(const Rect& client, const SettingLabelTexts& texts,
                                      const DpiScale& dpi);

}  // namespace vwi
