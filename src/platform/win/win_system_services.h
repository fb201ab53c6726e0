#pragma once

#include "platform/system_services.h"

namespace vwi {

class WinSystemServices final : public ISystemServices {
 public:
  std::optional<std::u16string> ProgramPath() override;
  std::u16string TempFolder() override;
  bool PathExists(const std::u16string& path) override;
  bool IsFolder(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  bool RemoveEmptyFolder(const std::u16string& path) override;
  bool CreateFolderTree(const std::u16string& path) override;
  bool IsElevated() override;
  std::u16string ProgramDataFolder() override;
  FolderHold OpenFolder(const std::u16string& path) override;
  uint32_t TickCount() override;
};

}  // namespace vwi
