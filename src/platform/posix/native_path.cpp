#include "platform/posix/native_path.h"

#include <algorithm>
#include <string>

#include "platform/text.h"

namespace vwi {

std::filesystem::path NativePath(std::u16string_view windowsPath) {
  std::string utf8 = Utf8FromUtf16(windowsPath);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return std::filesystem::path(utf8);
}

}  // namespace vwi
