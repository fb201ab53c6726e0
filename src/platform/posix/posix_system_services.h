// Native stand-in for the operating-system services: Windows-style paths
// (backslashes) are mapped onto the local file system, so the core's path
// building runs unchanged in native tests.
#pragma once

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
  bool IsFolder(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  bool RemoveEmptyFolder(const std::u16string& path) override;
  bool CreateFolderTree(const std::u16string& path) override;
  bool IsElevated() override { return elevated_; }
  std::u16string ProgramDataFolder() override { return programData_; }
  FolderHold OpenFolder(const std::u16string& path) override;
  uint32_t TickCount() override { return tick_; }

  // Runs as if elevated, with `programData` as the machine's program-data
  // folder (natively nothing is elevated, and there is none).
  void SetElevated(bool elevated, std::u16string programData = {}) {
    elevated_ = elevated;
    programData_ = std::move(programData);
  }

  void SetTickCount(uint32_t tick) { tick_ = tick; }
  // Longest path CreateFolderTree accepts, as a Windows folder would.
  void SetMaxPath(size_t length) { maxPath_ = length; }

 private:
  std::optional<std::u16string> programPath_;
  std::u16string tempFolder_;
  uint32_t tick_ = 0;
  bool elevated_ = false;
  std::u16string programData_;
  size_t maxPath_ = 259;
};

}  // namespace vwi
