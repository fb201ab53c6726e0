#include "platform/win/win_system_services.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/win/elevation.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"

namespace vwi {
namespace {

// FOLDERID_ProgramData, spelt out: the import library's symbol does not link
// statically.
constexpr KNOWNFOLDERID kProgramDataFolderId = {
    0x62AB5D82, 0xFDC1, 0x4DC3, {0xA9, 0xDD, 0x07, 0x0D, 0x1D, 0x49, 0x5D, 0x97}};

}  // namespace

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

bool WinSystemServices::IsFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinSystemServices::CreateFolder(const std::u16string& path) {
  return CreateDirectoryW(Wide(path), nullptr) != FALSE;
}

bool WinSystemServices::RemoveEmptyFolder(const std::u16string& path) {
  return RemoveDirectoryW(Wide(path)) != FALSE;
}

bool WinSystemServices::CreateFolderTree(const std::u16string& path) {
  return SHCreateDirectory(nullptr, Wide(path)) == ERROR_SUCCESS;
}

bool WinSystemServices::IsElevated() { return IsProcessElevated(); }

std::u16string WinSystemServices::ProgramDataFolder() {
  // The known folder, from the machine's own settings: an environment
  // variable would let whoever started the program choose it.
  PWSTR folder = nullptr;
  std::u16string result;
  if (SUCCEEDED(
          SHGetKnownFolderPath(kProgramDataFolderId, KF_FLAG_DONT_VERIFY, nullptr, &folder))) {
    result = FromWide(folder);
  }
  CoTaskMemFree(folder);
  return result;
}

FolderHold WinSystemServices::OpenFolder(const std::u16string& path) {
  return OpenHeldFolder(path, IsProcessElevated());
}

uint32_t WinSystemServices::TickCount() { return GetTickCount(); }

}  // namespace vwi
