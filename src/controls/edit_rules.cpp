#include "controls/edit_rules.h"

namespace vwi {

int EditVerticalPad(int controlHeight, int externalLeading, int textHeight) {
  const int pad = (controlHeight - externalLeading - textHeight) / 2;
  return pad > 0 ? pad : 0;
}

EditClick DecideEditLeftClick(bool focused, bool editable) {
  return focused || !editable ? EditClick::kPlaceCaret : EditClick::kSelectAll;
}

EditSelection DecideEditRightClick(bool focused, bool editable) {
  return focused || !editable ? EditSelection::kNone : EditSelection::kAll;
}

EditShortcut ClassifyEditShortcut(bool ctrl, bool shift, unsigned virtualKey, bool pasteAllowed) {
  if (!ctrl || shift) return EditShortcut::kPlatform;
  switch (virtualKey) {
    case 'A':
      return EditShortcut::kSelectAll;
    case 'C':
      return EditShortcut::kCopy;
    case 'X':
      return EditShortcut::kCut;
    case 'V':
      return pasteAllowed ? EditShortcut::kPaste : EditShortcut::kConsume;
    default:
      return EditShortcut::kPlatform;
  }
}

}  // namespace vwi
