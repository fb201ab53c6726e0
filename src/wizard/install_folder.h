// The installation folder the user typed: its normal form, and the folders
// that must exist for it.
#pragma once

#include <string>
#include <vector>

#include "platform/system_services.h"

namespace vwi {

// The longest installation folder accepted. A folder is created in a
// fixed-size path buffer, and the platform keeps room in it for a file name.
inline constexpr size_t kMaxInstallFolderLength = 248;

enum class FolderCheck {
  kAccepted,     // the folder exists now; store it
  kNotAccepted,  // the licence is not accepted: nothing happens
  kUnavailable,  // relative, too long, or a folder could not be created
};

struct FolderValidation {
  FolderCheck result = FolderCheck::kUnavailable;
  std::u16string path;  // the normalised text
};

// Creates what is missing of an absolute folder of acceptable length; true
// when it is a folder afterwards. A path that names a file, or passes through
// one, or names no folder at all (a bare "\\server"), is refused.
bool PrepareInstallFolder(const std::u16string& folder, ISystemServices& folders);

// Checks the typed folder and creates what is missing of it.
FolderValidation ValidateInstallFolder(const std::u16string& text, bool accepted,
                                       ISystemServices& folders);

// Where the folder chooser starts for a full path: without one trailing
// backslash (unless it follows a colon), cut back at backslashes until what
// is left exists; "D:\missing\deeper" gives "D:" when neither folder exists.
std::u16string BrowseStartFolder(std::u16string fullPath, ISystemServices& folders);

// The product's program: the folder without a trailing backslash, then the
// program's file name.
std::u16string ProductProgramPath(const std::u16string& installFolder,
                                  const std::u16string& mainExecutable);

}  // namespace vwi
