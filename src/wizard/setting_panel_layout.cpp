#include "wizard/setting_panel_layout.h"

namespace vwi {
namespace {

Rect At(int x, int y, Size size) { return {x, y, x + size.width, y + size.height}; }

}  // namespace

Size MeasureLabel(Size text, Size defaultSize) {
  if (text.width <= 0) return defaultSize;
  return {text.width, text.height > defaultSize.height ? text.height : defaultSize.height};
}

SettingPanelLayout LayoutSettingPanel(const Rect& client, const SettingLabelTexts& texts,
                                      const DpiScale& dpi) {
  const int L = client.left, T = client.top, R = client.right;
  const int W = R - L;
  SettingPanelLayout layout;

  const int installWidth = dpi.X(300);
  layout.install = At(L + (W - installWidth) / 2, T + dpi.X(174), {installWidth, dpi.Y(34)});

  // Licence row: box, label and link centred together.
  const int y1 = layout.install.bottom + dpi.X(16);
  const Size box{dpi.X(16), dpi.Y(16)};
  const int gap = dpi.X(4);
  const Size s135 = MeasureLabel(texts.acceptLabel, {dpi.X(138), dpi.Y(16)});
  const Size s152 = MeasureLabel(texts.licenseLink, {dpi.X(138), dpi.Y(16)});
  const int x0 = L + (W - box.width - s152.width - s135.width - gap) / 2;
  layout.acceptBox = At(x0, y1, box);
  layout.acceptLabel = At(x0 + box.width + gap, y1 + dpi.Y(-1), s135);
  const int linkLeft = layout.acceptLabel.right + dpi.X(4);
  layout.licenseLink = {linkLeft, layout.acceptLabel.top, R, layout.acceptLabel.bottom};

  // Section row: the label's text ends at the expander, the pair centred.
  const int y2 = layout.acceptLabel.bottom + dpi.Y(66);
  const Size s136 = MeasureLabel(texts.settingsLabel, {dpi.X(110), dpi.Y(14)});
  const int expanderX = R - (W - box.width - s136.width - gap) / 2 - box.width;
  layout.expander = At(expanderX, y2, box);
  layout.settingsLabel = {L, y2, expanderX - gap, y2 + s136.height};
  layout.separatorLeft = L;
  layout.separatorY = y2 + box.height + dpi.Y(12);

  // Settings rows: labels in a column, fields to the right edge.
  const int rowTop = y2 + box.height;
  const int labelX = L + dpi.X(68);
  const int fieldRight = R - dpi.X(68);
  const Size s174 = MeasureLabel(texts.languageLabel, {dpi.X(144), dpi.Y(30)});
  layout.languageLabel = At(labelX, rowTop + dpi.Y(30), s174);
  const Size s175 = MeasureLabel(texts.associationLabel, s174);
  layout.associationLabel = At(labelX, rowTop + dpi.Y(40), s175);
  layout.languageBox = {layout.languageLabel.right + gap, layout.languageLabel.top, fieldRight,
                        layout.languageLabel.top + s174.height};

  const int rowY = layout.associationLabel.top;
  const int fieldLeft = layout.associationLabel.right + gap;
  const int browseWidth = dpi.Y(24);
  layout.associationBox = {fieldLeft, rowY, fieldRight, rowY + s175.height};
  layout.folderEdit = {fieldLeft, rowY, fieldRight - browseWidth, rowY + s175.height};
  layout.browse = {fieldRight - browseWidth, rowY, fieldRight, rowY + s175.height};

  const Size s140 = MeasureLabel(texts.folderLabel, {dpi.X(144), dpi.Y(30)});
  layout.folderLabel = {layout.associationLabel.right - s140.width, rowY,
                        layout.associationLabel.right, layout.associationLabel.bottom};
  return layout;
}

int SettingComboItemHeight(const DpiScale& dpi) { return dpi.dpiY * 24 / 96; }

}  // namespace vwi
