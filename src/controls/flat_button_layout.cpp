#include "controls/flat_button_layout.h"

namespace vwi {

Rect CentredFrameRect(int width, int height, int frameWidth, int frameHeight) {
  const int left = (width - frameWidth) / 2, top = (height - frameHeight) / 2;
  return {left, top, left + frameWidth, top + frameHeight};
}

}  // namespace vwi
