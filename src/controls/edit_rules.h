// The skinned edit box's decisions: vertical centring of its one line, what a
// click selects and which Ctrl shortcuts it handles itself.
#pragma once

namespace vwi {

// The inset above and below the text area that centres one line of text.
int EditVerticalPad(int controlHeight, int externalLeading, int textHeight);

// What the first left click does.
enum class EditClick { kPlaceCaret, kSelectAll };
EditClick DecideEditLeftClick(bool focused, bool editable);

// A right click selects nothing when focused or not editable, else everything.
enum class EditSelection { kNone, kAll };
EditSelection DecideEditRightClick(bool focused, bool editable);

// Ctrl shortcuts the box handles itself; kConsume swallows the key with no
// effect (a paste that is not allowed); kPlatform leaves the key alone.
enum class EditShortcut { kPlatform, kSelectAll, kCopy, kCut, kPaste, kConsume };
EditShortcut ClassifyEditShortcut(bool ctrl, bool shift, unsigned virtualKey, bool pasteAllowed);

}  // namespace vwi
