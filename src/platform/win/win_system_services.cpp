#include "platform/win/win_system_services.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include "platform/win/wide.h"

namespace vwi {

std::optional<std::u16string> WinSystemServices::ProgramPath() {
  wchar_t buffer[512];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, 512);
  // A full buffer means the path was cut short: treat it as unavailable.
  if (length == 0 || length >= 512) return std::nullopt;
  return FromWide(std::wstring_view(buffer, length));
}

std::u16string WinSystemServices::TempFolder() {
  wchar_t buffer[261];
  const DWORD length = GetTempPathW(261, buffer);
  if (length == 0 || length >= 261) return {};
  return FromWide(std::wstring_view(buffer, length));
}

bool WinSystemServices::PathExists(const std::u16string& path) {
  return PathFileExistsW(Wide(path)) != FALSE;
}

bool WinSystemServices::RemoveEmptyFolder(const std::u16string& path) {
  return RemoveDirectoryW(Wide(path)) != FALSE;
}

bool WinSystemServices::CreateFolderTree(const std::u16string& path) {
  return SHCreateDirectory(nullptr, Wide(path)) == ERROR_SUCCESS;
}

uint32_t WinSystemServices::TickCount() { return GetTickCount(); }

}  // namespace vwi
