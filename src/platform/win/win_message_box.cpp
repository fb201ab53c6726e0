#include "platform/win/win_message_box.h"

#include <string>

#include "platform/win/wide.h"

namespace vwi {

int WinMessageBox::Show(std::u16string_view text, std::u16string_view caption, uint32_t style) {
  const std::wstring wideText = ToWide(text);
  const std::wstring wideCaption = ToWide(caption);
  return MessageBoxW(owner_, wideText.c_str(), wideCaption.c_str(), style);
}

}  // namespace vwi
