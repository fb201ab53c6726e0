// The few operating-system services the context needs at start-up, behind an
// interface so that native tests run them against a temporary folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/held_folder.h"

namespace vwi {

class ISystemServices {
 public:
  virtual ~ISystemServices() = default;
  // Full path of the running program file (a 512-character buffer);
  // nothing when it cannot be obtained.
  virtual std::optional<std::u16string> ProgramPath() = 0;
  // The user's temporary folder, ending in a backslash (a 261-character
  // buffer); empty when it cannot be obtained.
  virtual std::u16string TempFolder() = 0;
  virtual bool PathExists(const std::u16string& path) = 0;
  // True when `path` names an existing folder (a file is none).
  virtual bool IsFolder(const std::u16string& path) = 0;
  // Creates one folder whose parent exists; true on success.
  virtual bool CreateFolder(const std::u16string& path) = 0;
  // Removes a folder only if it is empty.
  virtual bool RemoveEmptyFolder(const std::u16string& path) = 0;
  // Creates a folder with all missing parents; true on success.
  virtual bool CreateFolderTree(const std::u16string& path) = 0;
  // True when the process runs with administrator rights (and when that
  // cannot be learnt: the safe assumption for what guards against it).
  virtual bool IsElevated() = 0;
  // The machine's folder for programs' shared data, which only the system
  // and the Administrators may change (on Windows the known folder, never an
  // environment variable); empty when it cannot be had.
  virtual std::u16string ProgramDataFolder() = 0;
  // Opens the folder at the absolute `path` and holds it; a link is never
  // opened.
  virtual FolderHold OpenFolder(const std::u16string& path) = 0;
  // The millisecond tick count, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
};

}  // namespace vwi
