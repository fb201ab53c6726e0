#include "controls/key_click.h"

namespace vwi {

void KeyClick::Down(int key, const void* control, bool repeat) {
  if (repeat && key == key_) return;
  key_ = key;
  control_ = control;
}

bool KeyClick::Up(int key, const void* control) {
  const bool completes = key_ != 0 && key == key_ && control == control_;
  if (key == key_) {
    key_ = 0;
    control_ = nullptr;
  }
  return completes;
}

}  // namespace vwi
