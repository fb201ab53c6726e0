// Free disk space: the query behind an interface (so tests can make a volume
// look full) and the rule that a download or the package must leave a margin.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vwi {

class IFreeSpace {
 public:
  virtual ~IFreeSpace() = default;
  // Bytes the current user may still write on the volume holding `folder`
  // (an existing folder); nothing when the query fails.
  virtual std::optional<uint64_t> FreeBytes(const std::u16string& folder) = 0;
};

// GetDiskFreeSpaceExW on Windows.
IFreeSpace& SystemFreeSpace();

// Room kept beyond a file's own size: the file system's own bookkeeping and
// what the package unpacks beside itself should never fill the volume.
inline constexpr uint64_t kDiskSpaceMargin = 10ull * 1024 * 1024;

struct SpaceShortage {
  uint64_t megabytesNeeded = 0;  // size plus margin, in MiB rounded up (the user's figure)
  uint64_t freeBytes = 0;
  std::u16string folder;  // the folder whose volume was asked
};

// The megabytes (MiB, rounded up) that `size` bytes plus the margin take.
uint64_t MegabytesNeeded(uint64_t size);

// Nothing when the volume of `folder` has room for `size` bytes plus the
// margin. A folder that does not exist yet is judged by its nearest existing
// parent; when no free space can be learnt at all, nothing either: an
// unknown volume never stops a run.
std::optional<SpaceShortage> CheckFreeSpace(IFreeSpace& space, const std::u16string& folder,
                                            uint64_t size);

}  // namespace vwi
