// Native stand-in for the operating-system services: Windows-style paths
// (backslashes) are mapped onto the local file system, so the core's path
// building runs unchanged in native tests.
#pragma once

#include <vector>

#include "platform/system_services.h"

namespace vwi {

class PosixSystemServices : public ISystemServices {
 public:
  // `programPath` is what ProgramPath reports (with backslashes, as on
  // Windows); `tempFolder` what TempFolder reports.
  PosixSystemServices(std::optional<std::u16string> programPath, std::u16string tempFolder);

  std::optional<std::u16string> ProgramPath() override { return programPath_; }
  std::u16string TempFolder() override { return tempFolder_; }
  bool PathExists(const std::u16string& path) override;
  bool RemoveEmptyFolder(const std::u16string& path) override;
  bool CreateFolderTree(const std::u16string& path) override;
  bool ProtectFolder(const std::u16string& path) override;
  bool CreateNewFolder(const std::u16string& path) override;
  uint32_t TickCount() override { return tick_; }

  void SetTickCount(uint32_t tick) { tick_ = tick; }
  // Longest path CreateFolderTree accepts, as a Windows folder would.
  void SetMaxPath(size_t length) { maxPath_ = length; }

  // The folders protected so far, in order (natively nothing changes on disk).
  std::vector<std::u16string> protectedFolders;

 private:
  std::optional<std::u16string> programPath_;
  std::u16string tempFolder_;
  uint32_t tick_ = 0;
  size_t maxPath_ = 259;
};

}  // namespace vwi
