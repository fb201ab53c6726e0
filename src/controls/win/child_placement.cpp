#include "controls/win/child_placement.h"

namespace vwi {
namespace {

Rect PlaceInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void Move(HWND control, const Rect& place) {
  SetWindowPos(control, nullptr, place.left, place.top, place.Width(), place.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool PlaceControl(HWND control, const Rect& place) {
  if (!control || PlaceInParent(control) == place) return false;
  Move(control, place);
  return true;
}

bool PlaceDropDown(HWND control, const Rect& field, int listRoom) {
  // The field's height follows the box's item height, whatever was asked.
  const Rect now = PlaceInParent(control);
  if (!control || (now.left == field.left && now.top == field.top && now.right == field.right)) {
    return false;
  }
  Move(control, {field.left, field.top, field.right, field.bottom + listRoom});
  return true;
}

}  // namespace vwi
