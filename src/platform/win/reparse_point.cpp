#include "platform/win/reparse_point.h"

#include <windows.h>

#include "platform/win/wide.h"

namespace vwi {

bool IsReparsePoint(const std::u16string& path) {
  // With a trailing backslash Windows would report the folder linked to.
  std::u16string trimmed = path;
  while (trimmed.size() > 3 && trimmed.back() == u'\\') trimmed.pop_back();
  const DWORD attributes = GetFileAttributesW(Wide(trimmed));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace vwi
