#include "download/free_space.h"

#include "platform/paths.h"

namespace vwi {
namespace {

constexpr uint64_t kMegabyte = 1024 * 1024;

// The folder without its trailing backslashes, except for a drive's root.
std::u16string Trimmed(std::u16string folder) {
  while (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
  return folder;
}

}  // namespace

uint64_t MegabytesNeeded(uint64_t size) {
  const uint64_t total =
      size > UINT64_MAX - kDiskSpaceMargin ? UINT64_MAX : size + kDiskSpaceMargin;
  return total / kMegabyte + (total % kMegabyte ? 1 : 0);
}

std::optional<SpaceShortage> CheckFreeSpace(IFreeSpace& space, const std::u16string& folder,
                                            uint64_t size) {
  for (std::u16string candidate = Trimmed(folder); !candidate.empty();
       candidate = ParentFolder(candidate)) {
    const std::optional<uint64_t> free = space.FreeBytes(candidate);
    if (!free) continue;
    if (*free >= size && *free - size >= kDiskSpaceMargin) return std::nullopt;
    return SpaceShortage{MegabytesNeeded(size), *free, candidate};
  }
  return std::nullopt;
}

}  // namespace vwi
