// The payload files natively: a portable SHA-256 over std::filesystem, so
// the core's rules can be tested without Windows.
#include <filesystem>
#include <fstream>
#include <vector>

#include "download/payload_files.h"
#include "download/posix/sha256.h"

namespace vwi {
namespace {

std::filesystem::path FsPath(std::u16string path) {
  for (char16_t& c : path) {
    if (c == u'\\') c = u'/';
  }
  return std::filesystem::path(path);
}

class PosixPayloadFiles final : public IPayloadFiles {
 public:
  std::optional<Sha256Digest> Sha256OfFile(const std::u16string& path) override {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    Sha256 hash;
    std::vector<char> buffer(65536);
    while (in) {
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      hash.Update(reinterpret_cast<const uint8_t*>(buffer.data()),
                  static_cast<size_t>(in.gcount()));
    }
    if (!in.eof()) return std::nullopt;
    return hash.Finish();
  }
  std::optional<uint64_t> FileSize(const std::u16string& path) override {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(FsPath(path), ec);
    if (ec) return std::nullopt;
    return static_cast<uint64_t>(size);
  }
  bool RemoveFile(const std::u16string& path) override {
    std::error_code ec;
    std::filesystem::remove(FsPath(path), ec);
    return !std::filesystem::exists(FsPath(path), ec);
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
