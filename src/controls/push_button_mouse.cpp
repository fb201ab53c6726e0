#include "controls/push_button_mouse.h"

namespace vwi {

bool PushButtonMouse::OnLeftDown() {
  if (captured) return false;
  captured = true;
  pressed = true;
  return true;
}

PushButtonMouse::UpResult PushButtonMouse::OnLeftUp(bool insideClient) {
  UpResult result;
  if (!captured) return result;
  captured = false;
  result.releaseCapture = true;
  if (pressed) {
    pressed = false;
    result.click = insideClient;
  }
  return result;
}

void PushButtonMouse::OnHover() {
  tracking = true;
  hover = true;
}

void PushButtonMouse::OnLeave() {
  tracking = false;
  hover = false;
}

}  // namespace vwi
