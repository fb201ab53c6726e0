#include "context/existing_installation.h"
#include "platform/win/win_message_box.h"

namespace vwi {

IMessageBox& ProbeMessageBox() {
  // Start-up probes run before any window exists: the box has no owner.
  static WinMessageBox box(nullptr);
  return box;
}

}  // namespace vwi
