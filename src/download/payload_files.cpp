#include "download/payload_files.h"

namespace vwi {

std::optional<Sha256Digest> Sha256OfFile(IHeldFile& file) {
  Sha256Hasher hash;
  std::vector<uint8_t> buffer(1 << 16);
  for (uint64_t offset = 0;;) {
    const std::optional<size_t> read = file.ReadAt(offset, buffer.data(), buffer.size());
    if (!read) return std::nullopt;
    if (*read == 0) break;
    hash.Update(buffer.data(), *read);
    offset += *read;
  }
  return hash.Finish();
}

std::optional<Sha256Digest> Sha256OfBytes(const uint8_t* data, size_t size) {
  Sha256Hasher hash;
  hash.Update(data, size);
  return hash.Finish();
}

}  // namespace vwi
