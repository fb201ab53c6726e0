// Opening a web address from the wizard: the licence terms, the slide
// show's tour, the home page a package reports.
#pragma once

#include <windows.h>

#include <string>

namespace vwi {

// Opens `address` in the user's browser, with the user's ordinary rights
// (through the desktop shell, or the shell's "open" verb where that route is
// unavailable); false when it was not opened. Only http and https addresses
// are opened: anything else is logged and left alone. Nothing is shown to
// the user either way. The calling thread must have initialised COM.
bool ShellOpen(HWND owner, const std::u16string& address);

}  // namespace vwi
