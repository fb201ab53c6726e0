// The rules of Windows paths the installer applies to text: a file's folder
// and name, a folder's parent, joining a folder and a name, and whether a
// path is relative. Text only: nothing here looks at the disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vwi {

// The folder part of a file path, up to its last backslash (kept); empty
// when there is none.
std::u16string FolderOf(std::u16string_view path);

// What follows the last backslash or slash; the whole text without one.
std::u16string_view FileNameOf(std::u16string_view path);

// `folder` without one trailing backslash ("C:\\a\\" gives "C:\\a").
std::u16string WithoutTrailingBackslash(std::u16string folder);

// `folder` (with or without one trailing backslash), a backslash, `name`.
std::u16string JoinPath(std::u16string folder, std::u16string_view name);

// The parent of a folder ("C:\a\b" gives "C:\a", "C:\a" gives "C:\");
// empty at the top, or for a folder ending in a backslash.
std::u16string ParentFolder(const std::u16string& folder);

// Relative as the shell sees it: not starting with a backslash and without a
// drive colon in second place.
bool IsRelativePath(const std::u16string& path);

// The paths to make sure of, from the root down: "\\server\share\new" gives
// \\server\share and \\server\share\new; "C:\a\b" gives C:, C:\a, C:\a\b
// (a drive alone is never created).
std::vector<std::u16string> FolderChain(const std::u16string& path);

}  // namespace vwi
