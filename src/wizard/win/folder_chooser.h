// The system's folder chooser, as the settings panel's Browse button opens
// it: only file-system folders can be chosen, and the user may type a path.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vwi {

// Shows the chooser over `owner` with `title`, selecting `start` first when
// it is not empty; the chosen folder's path, or nothing when the user
// cancelled or chose something that is not a folder on disk.
std::optional<std::u16string> ChooseFolder(HWND owner, const std::u16string& title,
                                           const std::u16string& start);

}  // namespace vwi
