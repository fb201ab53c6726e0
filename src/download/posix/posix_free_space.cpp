#include <filesystem>

#include "download/free_space.h"
#include "platform/posix/native_path.h"

namespace vwi {
namespace {

class PosixFreeSpace final : public IFreeSpace {
 public:
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    std::error_code ec;
    const std::filesystem::space_info info = std::filesystem::space(NativePath(folder), ec);
    if (ec) return std::nullopt;
    return static_cast<uint64_t>(info.available);
  }
};

}  // namespace

IFreeSpace& SystemFreeSpace() {
  static PosixFreeSpace space;
  return space;
}

}  // namespace vwi
