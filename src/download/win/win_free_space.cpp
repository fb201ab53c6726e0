#include <windows.h>

#include "download/free_space.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

class WinFreeSpace final : public IFreeSpace {
 public:
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    // GetDiskFreeSpaceExW wants a folder path ending in a backslash.
    std::u16string path = folder;
    if (path.empty() || path.back() != u'\\') path += u'\\';
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(Wide(path), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
  }
};

}  // namespace

IFreeSpace& SystemFreeSpace() {
  static WinFreeSpace space;
  return space;
}

}  // namespace vwi
