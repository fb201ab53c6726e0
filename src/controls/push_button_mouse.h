// The mouse rules shared by the flat buttons and the action buttons: a click
// is a press inside followed by a release inside, with the mouse captured in
// between.
#pragma once

namespace vwi {

struct PushButtonMouse {
  bool tracking = false;  // hover/leave notifications requested
  bool pressed = false;   // the left button went down inside
  bool hover = false;     // the mouse is over the button
  bool captured = false;  // the button holds the mouse capture

  // Left button down (a double click counts as one): true when the button
  // must take the mouse capture now.
  bool OnLeftDown();

  struct UpResult {
    bool releaseCapture = false;
    bool click = false;  // send the command notification to the parent
  };
  UpResult OnLeftUp(bool insideClient);

  // A hover or leave notification.
  void OnHover();
  void OnLeave();
};

}  // namespace vwi
