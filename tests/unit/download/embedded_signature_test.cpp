#include "download/embedded_signature.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vwi {
namespace {

// A file in memory, read as a held one.
struct MemoryFile final : IHeldFile {
  explicit MemoryFile(std::string bytes) : bytes(std::move(bytes)) {}
  std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset >= bytes.size()) return 0;
    const size_t n = std::min<size_t>(size, bytes.size() - offset);
    std::memcpy(buffer, bytes.data() + offset, n);
    return n;
  }
  std::optional<uint64_t> Size() override { return bytes.size(); }
  void* NativeHandle() override { return nullptr; }
  std::string bytes;
};

void Put32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
void Put16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

// A PE32+ image with `signature` as the first entry of its certificate table.
std::string Image(const std::string& signature, uint16_t magic = 0x20B, uint16_t type = 2) {
  std::string bytes(0x400, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  Put32(bytes, 0x3C, 0x80);
  std::memcpy(&bytes[0x80], "PE\0\0", 4);
  const size_t optional = 0x80 + 24;
  Put16(bytes, optional, magic);
  const size_t directories = optional + (magic == 0x20B ? 112 : 96);
  Put32(bytes, directories - 4, 16);
  const uint32_t table = static_cast<uint32_t>(bytes.size());
  Put32(bytes, directories + 32, table);
  Put32(bytes, directories + 36, static_cast<uint32_t>(8 + signature.size()));
  std::string entry(8, '\0');
  Put32(entry, 0, static_cast<uint32_t>(8 + signature.size()));
  Put16(entry, 4, 0x200);
  Put16(entry, 6, type);
  return bytes + entry + signature;
}

std::optional<std::string> Found(std::string image) {
  MemoryFile file(std::move(image));
  const auto signature = EmbeddedSignature(file);
  if (!signature) return std::nullopt;
  return std::string(signature->begin(), signature->end());
}

TEST(EmbeddedSignature, TheFirstCertificateEntryOfAnImage) {
  EXPECT_EQ(Found(Image("signed data")), "signed data");
  EXPECT_EQ(Found(Image("pe32 signed data", 0x10B)), "pe32 signed data");
}

TEST(EmbeddedSignature, NothingFromAnythingElse) {
  EXPECT_EQ(Found(""), std::nullopt);
  EXPECT_EQ(Found("MZ not a program"), std::nullopt);
  EXPECT_EQ(Found(Image("x", 0x107)), std::nullopt);     // no known optional header
  EXPECT_EQ(Found(Image("x", 0x20B, 1)), std::nullopt);  // an X.509 entry, not PKCS #7
  std::string unsigned_ = Image("x");
  Put32(unsigned_, 0x80 + 24 + 112 + 32, 0);  // no table
  EXPECT_EQ(Found(unsigned_), std::nullopt);
  std::string few = Image("x");
  Put32(few, 0x80 + 24 + 112 - 4, 4);  // the directory is not there
  EXPECT_EQ(Found(few), std::nullopt);
  std::string cut = Image("a longer signature");
  cut.resize(cut.size() - 5);  // the entry runs past the end
  EXPECT_EQ(Found(cut), std::nullopt);
  std::string overlong = Image("x");
  Put32(overlong, 0x400, 0x7FFFFFFF);  // longer than its table
  EXPECT_EQ(Found(overlong), std::nullopt);
  std::string far = Image("x");
  Put32(far, 0x3C, 0xFFFFFFF0);  // a header beyond the file
  EXPECT_EQ(Found(far), std::nullopt);
}

}  // namespace
}  // namespace vwi
