#include "controls/combo_layout.h"

#include <algorithm>

namespace vwi {

ComboBoxLayout ComputeComboBoxLayout(Rect client, int frameWidth, int frameHeight, int textHeight,
                                     const DpiScale& dpi) {
  ComboBoxLayout l;
  const int height = client.Height();
  const int strip = std::max(frameWidth, dpi.X(24));
  l.strip = {client.right - strip, client.top, client.right, client.bottom};
  l.chevron = {client.right - frameWidth - dpi.X(5), (height - frameHeight) / 2};
  const int left = client.left + dpi.Linear(4);
  const int top = (height - textHeight) / 2;
  const int right = client.right + dpi.Linear(1) - client.left - frameWidth - 2 * dpi.Linear(4);
  l.text = {left, top, right, top + textHeight};
  l.arrowZone = {client.right - frameWidth - 2 * dpi.Linear(4), client.top,
                 client.right - dpi.Linear(4), client.bottom};
  l.edit = {client.left, client.top, client.right - frameWidth - 2, client.bottom};
  return l;
}

int ComboItemHeight(const DpiScale& dpi) { return dpi.dpiY * 22 / 96; }

int ComboDroppedWidth(const ComboWidthInputs& in, const DpiScale& dpi) {
  int widest = 0;
  const bool scrolls = in.itemTextWidths.size() > 30;
  for (int w : in.itemTextWidths) widest = std::max(widest, w + (scrolls ? in.scrollBarWidth : 0));
  int width = widest + 2 * dpi.Linear(in.edgeWidth) + 2 * dpi.Linear(in.averageCharWidth);
  return std::max(width, in.boxWidth);
}

int ComboListShift(int boxLeft, int listRight, int monitorRight) {
  if (boxLeft < monitorRight && listRight > monitorRight) return listRight - monitorRight;
  return 0;
}

Rect ComboItemTextRect(int itemWidth, int itemHeight, const DpiScale& dpi) {
  return {dpi.Linear(4), 1, itemWidth - 8, itemHeight - 2};
}

}  // namespace vwi
