#include "wizard/win/win_folder_system.h"

#include <windows.h>

#include "platform/win/wide.h"

namespace vwi {

bool WinFolderSystem::IsExistingFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFolderSystem::Exists(const std::u16string& path) {
  return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool WinFolderSystem::CreateFolder(const std::u16string& path) {
  return CreateDirectoryW(Wide(path), nullptr) != 0;
}

}  // namespace vwi
