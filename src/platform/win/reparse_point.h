// Links on Windows: symbolic links, junctions and mount points are all
// reparse points, and a path through one may lead anywhere.
#pragma once

#include <string>

namespace vwi {

// True when `path` (a file or folder, with or without trailing backslashes)
// is itself a reparse point; false when it is not or does not exist.
bool IsReparsePoint(const std::u16string& path);

}  // namespace vwi
