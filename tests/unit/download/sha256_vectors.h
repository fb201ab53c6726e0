// The SHA-256 test vectors (FIPS 180-2 and the padding edges) and the hex
// digest of bytes, shared by the tests of the portable digest and of the
// platform's, and by every test that needs a package's digest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "download/payload_files.h"

namespace vwi::test {

struct Sha256Vector {
  std::string message;
  const char16_t* digest;
};

inline constexpr char16_t kAbcSha256[] =
    u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

inline std::vector<Sha256Vector> Sha256Vectors() {
  return {
      {"", u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", kAbcSha256},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       u"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
       "klmnopqrlmnopqrsmnopqrstnopqrstu",
       u"cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'),
       u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      // Padding edges: 55, 56 and 64 bytes.
      {std::string(55, 'a'), u"9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {std::string(56, 'a'), u"b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
      {std::string(64, 'a'), u"ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
  };
}

// The digest of the bytes in lower-case hex; "<failed>" when it cannot be made.
inline std::u16string Sha256HexOf(const uint8_t* data, size_t size) {
  const std::optional<Sha256Digest> digest = Sha256OfBytes(data, size);
  return digest ? Sha256Hex(*digest) : u"<failed>";
}
inline std::u16string Sha256HexOf(const std::string& bytes) {
  return Sha256HexOf(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}
inline std::u16string Sha256HexOf(const std::vector<uint8_t>& bytes) {
  return Sha256HexOf(bytes.data(), bytes.size());
}

}  // namespace vwi::test
