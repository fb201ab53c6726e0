// Held folders natively (see platform/held_folder.h).
#pragma once

#include <string>

#include "platform/held_folder.h"
#include "platform/posix/native_path.h"

namespace vwi {

// Opens the folder at the Windows-style `path` and holds it; a symbolic link
// is never opened. With `protect` the folders made inside it are writable by
// their owner alone.
FolderHold OpenPosixHeldFolder(const std::u16string& path, bool protect);

}  // namespace vwi
