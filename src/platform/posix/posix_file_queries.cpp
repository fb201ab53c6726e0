#include <filesystem>
#include <fstream>

#include "platform/file_queries.h"
#include "platform/posix/native_path.h"
#include "platform/text.h"

namespace vwi {

bool FileExists(const std::u16string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::exists(NativePath(path), error);
}

std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& pattern) {
  std::vector<std::u16string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(NativePath(folder), error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::u16string name = Utf16FromUtf8(it->path().filename().string());
    if (WildcardMatch(pattern, name)) names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::string> ReadFileBytes(const std::u16string& path, size_t limit) {
  std::error_code error;
  const auto native = NativePath(path);
  if (!std::filesystem::is_regular_file(native, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(native, error);
  if (error || size > limit) return std::nullopt;
  std::ifstream file(native, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes(size, '\0');
  if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

}  // namespace vwi
