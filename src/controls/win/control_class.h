// Window classes of the plain owner-drawn controls (progress bar, slide show).
#pragma once

#include <windows.h>

namespace vwi {

// Registers (once per process) a plain child window class with the arrow
// cursor and no background brush, and returns its name.
const wchar_t* ControlClass(const wchar_t* name);

}  // namespace vwi
