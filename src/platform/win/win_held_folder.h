// Held folders on Windows (see platform/held_folder.h).
#pragma once

#include <string>

#include "platform/held_folder.h"
#include "platform/win/unique_handle.h"

namespace vwi {

// Opens the folder at `path` and holds it; a link is never opened. With
// `protect` the folders made inside it get the Administrators-only
// descriptor of win_security.h.
FolderHold OpenHeldFolder(const std::u16string& path, bool protect);

// A file opened elsewhere (for reading), read as a held file.
std::unique_ptr<IHeldFile> HeldFileOf(UniqueFile file);

}  // namespace vwi
