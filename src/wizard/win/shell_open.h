// Opening an address or a document with the shell's "open" verb.
#pragma once

#include <windows.h>

#include <string>

namespace vwi {

// Opens `target` in a normal window; false when the shell refused. Nothing
// is shown to the user either way.
bool ShellOpen(HWND owner, const std::u16string& target);

}  // namespace vwi
