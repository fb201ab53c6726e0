#include <filesystem>

#include "download/free_space.h"

namespace vwi {
namespace {

class PosixFreeSpace final : public IFreeSpace {
 public:
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    std::u16string path = folder;
    for (char16_t& c : path) {
      if (c == u'\\') c = u'/';
    }
    std::error_code ec;
    const std::filesystem::space_info info = std::filesystem::space(path, ec);
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
