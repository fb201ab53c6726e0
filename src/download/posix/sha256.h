// A portable SHA-256 (FIPS 180-4) for the native build, where the Windows
// cryptography is not available.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "context/payload_digest.h"

namespace vwi {

class Sha256 {
 public:
  Sha256();
  void Update(const uint8_t* data, size_t size);
  // The digest of everything added; the object is spent afterwards.
  Sha256Digest Finish();

 private:
  void Compress(const uint8_t* block);
  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> block_{};
  size_t filled_ = 0;
  uint64_t length_ = 0;  // bytes added
};

}  // namespace vwi
