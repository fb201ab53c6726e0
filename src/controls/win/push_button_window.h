// What the two skinned push buttons share: the mouse state of a press, the
// click posted to the parent when the press ends inside, the release of a
// lost capture, and the answer to assistive technology.
#pragma once

#include <windows.h>

#include "controls/push_button_mouse.h"
#include "controls/win/accessible_object.h"
#include "platform/win/window.h"

namespace vwi {

class CPushButtonWindow : public Window, public AccessibleSource {
 public:
  // The mouse state; owners that show a state without a mouse (a gallery of
  // the controls) may set it and redraw.
  PushButtonMouse& mouse() { return mouse_; }
  // Clears hover and pressed (after the owner changed what the button does).
  void ResetMouseState();

 protected:
  // WM_GETOBJECT, answered with the button's facts; nothing else.
  std::optional<LRESULT> AnswerAccessibility(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnLButtonDblClk(UINT flags, POINT point) override { return OnLButtonDown(flags, point); }
  // A press that ends inside is a click (BN_CLICKED to the parent).
  bool OnLButtonUp(UINT flags, POINT point) override;
  bool OnCaptureChanged(HWND) override;

  PushButtonMouse mouse_;
};

}  // namespace vwi
