// The skinned controls' answer to the platform's accessibility interface: an
// object per request that asks the control for its facts on every call, so a
// screen reader hears the state the control has now, and that leaves
// position, parent and navigation to the platform's standard object for
// the window.
#pragma once

#include <windows.h>

#include <optional>

#include "controls/accessible_facts.h"

namespace vwi {

// A control that states its accessible facts.
class AccessibleSource {
 public:
  virtual AccessibleFacts Describe() const = 0;
  // What a click does; the default tells the parent as a button's click does.
  virtual void DoDefaultAction(HWND control);

 protected:
  ~AccessibleSource() = default;
};

// The answer to WM_GETOBJECT for a control bound to an AccessibleSource, or
// nothing when the request is for another object (the platform answers).
std::optional<LRESULT> AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam);

// Tells listening assistive technology that the control's facts changed.
void NotifyAccessibleChange(HWND control, DWORD event);

// Stores new facts and tells listeners what changed (state, value, name).
void UpdateAccessibleFacts(HWND control, AccessibleFacts& stored, AccessibleFacts next);

}  // namespace vwi
