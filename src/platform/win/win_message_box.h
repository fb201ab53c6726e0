// The Windows message box, owned by a window (or none).
#pragma once

#include <windows.h>

#include "platform/message_box.h"

namespace vwi {

class WinMessageBox final : public IMessageBox {
 public:
  explicit WinMessageBox(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override;

 private:
  HWND owner_;
};

}  // namespace vwi
