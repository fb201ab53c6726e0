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
  // The millisecond tick count, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;
};

}  // namespace vwi
