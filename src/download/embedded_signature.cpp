#include "download/embedded_signature.h"

namespace vwi {
namespace {

constexpr uint16_t kPe32 = 0x10B;
constexpr uint16_t kPe32Plus = 0x20B;
constexpr uint16_t kPkcsSignedData = 2;     // WIN_CERT_TYPE_PKCS_SIGNED_DATA
constexpr uint32_t kSecurityDirectory = 4;  // IMAGE_DIRECTORY_ENTRY_SECURITY
constexpr uint32_t kMaxSignatureBytes = 1 << 20;

// Exactly `size` bytes from `offset`, or false.
bool ReadExactly(IHeldFile& file, uint64_t offset, void* buffer, size_t size) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (size > 0) {
    const std::optional<size_t> read = file.ReadAt(offset, out, size);
    if (!read || *read == 0) return false;
    out += *read;
    offset += *read;
    size -= *read;
  }
  return true;
}

template <typename T>
std::optional<T> ReadLittle(IHeldFile& file, uint64_t offset) {
  uint8_t bytes[sizeof(T)];
  if (!ReadExactly(file, offset, bytes, sizeof(T))) return std::nullopt;
  T value = 0;
  for (size_t i = sizeof(T); i-- > 0;) value = static_cast<T>((value << 8) | bytes[i]);
  return value;
}

}  // namespace

std::optional<std::vector<uint8_t>> EmbeddedSignature(IHeldFile& file) {
  const std::optional<uint16_t> mz = ReadLittle<uint16_t>(file, 0);
  const std::optional<uint32_t> header = ReadLittle<uint32_t>(file, 0x3C);
  if (mz != 0x5A4D || !header) return std::nullopt;
  const std::optional<uint32_t> pe = ReadLittle<uint32_t>(file, *header);
  if (pe != 0x00004550) return std::nullopt;
  // The optional header follows the 4-byte signature and the 20-byte file header.
  const uint64_t optional = uint64_t{*header} + 24;
  const std::optional<uint16_t> magic = ReadLittle<uint16_t>(file, optional);
  if (magic != kPe32 && magic != kPe32Plus) return std::nullopt;
  const uint64_t directories = optional + (magic == kPe32Plus ? 112 : 96);
  const std::optional<uint32_t> count = ReadLittle<uint32_t>(file, directories - 4);
  if (!count || *count <= kSecurityDirectory) return std::nullopt;
  // The security directory gives a file offset, not a virtual address.
  const uint64_t entry = directories + 8 * kSecurityDirectory;
  const std::optional<uint32_t> table = ReadLittle<uint32_t>(file, entry);
  const std::optional<uint32_t> tableSize = ReadLittle<uint32_t>(file, entry + 4);
  if (!table || !tableSize || *table == 0 || *tableSize < 8) return std::nullopt;
  const std::optional<uint32_t> length = ReadLittle<uint32_t>(file, *table);
  const std::optional<uint16_t> type = ReadLittle<uint16_t>(file, uint64_t{*table} + 6);
  if (!length || type != kPkcsSignedData || *length <= 8 || *length > *tableSize ||
      *length - 8 > kMaxSignatureBytes) {
    return std::nullopt;
  }
  std::vector<uint8_t> signature(*length - 8);
  if (!ReadExactly(file, uint64_t{*table} + 8, signature.data(), signature.size())) {
    return std::nullopt;
  }
  return signature;
}

}  // namespace vwi
