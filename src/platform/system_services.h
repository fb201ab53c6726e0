// The few operating-system services the context needs at start-up, behind an
// interface so that native tests run them against a temporary folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
  // Removes a folder only if it is empty.
  virtual bool RemoveEmptyFolder(const std::u16string& path) = 0;
  // Creates a folder with all missing parents; true on success.
  virtual bool CreateFolderTree(const std::u16string& path) = 0;
  // Keeps a work folder for administrators: when the process runs elevated,
  // only Administrators and the system may change `path` or what it holds
  // (everyone else keeps read access), so no other program can swap a package
  // there. A link is left alone: it is refused where it would be used. False
  // when the folder could not be protected.
  virtual bool ProtectFolder(const std::u16string& path) = 0;
  // Creates `path`, which must not exist yet (its parent must), protected as
  // ProtectFolder does from the start; false when it exists or cannot be made.
  virtual bool CreateNewFolder(const std::u16string& path) = 0;
  // The millisecond tick count, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
};

}  // namespace vwi
