// Whether focus marks show: not until the keyboard is used in the window,
// unless the user asked to see them always, as in the platform's own
// dialogs. The window keeps the state itself: the platform's UI-state
// messages are not carried out on every platform the program runs on.
#pragma once

namespace vwi {

class KeyboardCues {
 public:
  explicit KeyboardCues(bool alwaysShown) : hidden_(!alwaysShown) {}
  bool Hidden() const { return hidden_; }
  // A key that moves the focus or acts on it: the marks show from now on.
  // True when that changed something (the marks are to be drawn).
  bool KeyboardUsed() {
    const bool changed = hidden_;
    hidden_ = false;
    return changed;
  }

 private:
  bool hidden_;
};

}  // namespace vwi
