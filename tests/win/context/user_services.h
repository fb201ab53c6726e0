// The Windows services as a user's own run, not elevated (under Wine every
// process is), so the work folders lie beside the program.
#pragma once

#include <optional>
#include <string>

#include "platform/win/win_system_services.h"

namespace vwi::test {

class UserServices final : public ISystemServices {
 public:
  // `programPath` is what ProgramPath reports; the real one when nothing.
  explicit UserServices(std::optional<std::u16string> programPath = std::nullopt)
      : programPath_(std::move(programPath)) {}
  std::optional<std::u16string> ProgramPath() override {
    return programPath_ ? programPath_ : real_.ProgramPath();
  }
  std::u16string TempFolder() override { return real_.TempFolder(); }
  bool PathExists(const std::u16string& path) override { return real_.PathExists(path); }
  bool IsFolder(const std::u16string& path) override { return real_.IsFolder(path); }
  bool CreateFolder(const std::u16string& path) override { return real_.CreateFolder(path); }
  bool RemoveEmptyFolder(const std::u16string& path) override {
    return real_.RemoveEmptyFolder(path);
  }
  bool CreateFolderTree(const std::u16string& path) override {
    return real_.CreateFolderTree(path);
  }
  bool IsElevated() override { return false; }
  std::u16string ProgramDataFolder() override { return real_.ProgramDataFolder(); }
  FolderHold OpenFolder(const std::u16string& path) override { return real_.OpenFolder(path); }
  uint32_t TickCount() override { return real_.TickCount(); }

 private:
  std::optional<std::u16string> programPath_;
  WinSystemServices real_;
};

}  // namespace vwi::test
