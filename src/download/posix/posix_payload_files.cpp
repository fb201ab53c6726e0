// The payload files natively: a portable SHA-256 over std::filesystem, so
// the core's rules can be tested without Windows.
#include <filesystem>
#include <fstream>
#include <vector>

#include "download/payload_files.h"
#include "download/posix/sha256.h"
#include "platform/posix/native_path.h"

namespace vwi {
namespace {

// Natively a hold is an open stream: enough for the rules, which are what
// the native tests check; the sharing rules are Windows' own.
class PosixHeldPayload final : public IHeldPayload {
 public:
  explicit PosixHeldPayload(std::ifstream in) : in_(std::move(in)) {}
  std::optional<Sha256Digest> Sha256() override {
    in_.clear();
    in_.seekg(0);
    vwi::Sha256 hash;
    std::vector<char> buffer(65536);
    while (in_) {
      in_.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      hash.Update(reinterpret_cast<const uint8_t*>(buffer.data()),
                  static_cast<size_t>(in_.gcount()));
    }
    if (!in_.eof()) return std::nullopt;
    return hash.Finish();
  }

 private:
  std::ifstream in_;
};

class PosixPayloadFiles final : public IPayloadFiles {
 public:
  PayloadHold Hold(const std::u16string& path) override {
    const std::filesystem::path file = NativePath(path);
    if (IsLink(path) || std::filesystem::is_symlink(file.parent_path())) {
      return {nullptr, HoldRefusal::Link};
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {nullptr, HoldRefusal::Missing};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {nullptr, HoldRefusal::Busy};
    return {std::make_unique<PosixHeldPayload>(std::move(in)), HoldRefusal::None};
  }
  bool IsLink(const std::u16string& path) override {
    std::u16string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == u'\\' || trimmed.back() == u'/')) {
      trimmed.pop_back();
    }
    std::error_code ec;
    return std::filesystem::is_symlink(NativePath(trimmed), ec);
  }
  std::optional<uint64_t> FileSize(const std::u16string& path) override {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(NativePath(path), ec);
    if (ec) return std::nullopt;
    return static_cast<uint64_t>(size);
  }
  bool RemoveFile(const std::u16string& path) override {
    std::error_code ec;
    std::filesystem::remove(NativePath(path), ec);
    return !std::filesystem::exists(NativePath(path), ec);
  }
};

}  // namespace

IPayloadFiles& SystemPayloadFiles() {
  static PosixPayloadFiles files;
  return files;
}

std::optional<Sha256Digest> Sha256OfBytes(const uint8_t* data, size_t size) {
  Sha256 hash;
  hash.Update(data, size);
  return hash.Finish();
}

}  // namespace vwi
