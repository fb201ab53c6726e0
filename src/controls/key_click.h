// Enter and Space on a clickable control, as Windows' own buttons take
// Space: one click per press, made when the key is released on the control
// it went down on. The keyboard's auto-repeat adds nothing, and a press that
// ends elsewhere (the focus moved meanwhile) clicks nothing.
#pragma once

namespace vwi {

class KeyClick {
 public:
  // A click key went down on `control`; `repeat` when it was down already.
  void Down(int key, const void* control, bool repeat);
  // The key came up on `control`: true when that completes a press.
  bool Up(int key, const void* control);

 private:
  int key_ = 0;
  const void* control_ = nullptr;
};

}  // namespace vwi
