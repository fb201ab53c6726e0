#include <windows.h>
#include <shlwapi.h>

#include "platform/file_queries.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {

bool FileExists(const std::u16string& path) { return !path.empty() && PathFileExistsW(Wide(path)); }

std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& pattern) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found = {};
  const std::u16string query = folder + pattern;
  HANDLE search = FindFirstFileW(Wide(query), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(FromWide(found.cFileName));
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::optional<std::string> ReadFileBytes(const std::u16string& path, size_t limit) {
  UniqueFile file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > limit) {
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    if (!ReadFile(file.get(), bytes.data() + done, want, &read, nullptr) || read == 0) {
      return std::nullopt;
    }
    done += read;
  }
  return bytes;
}

}  // namespace vwi
