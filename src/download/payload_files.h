// What the payload checks need of the file system: a file's SHA-256 (with
// the platform's cryptography: BCrypt on Windows), its size, its removal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "context/payload_digest.h"

namespace vwi {

class IPayloadFiles {
 public:
  virtual ~IPayloadFiles() = default;
  // The SHA-256 of the whole file; nothing when it cannot be read to its end.
  virtual std::optional<Sha256Digest> Sha256OfFile(const std::u16string& path) = 0;
  // The file's size in bytes; nothing when it does not exist.
  virtual std::optional<uint64_t> FileSize(const std::u16string& path) = 0;
  // True when the file is gone afterwards.
  virtual bool RemoveFile(const std::u16string& path) = 0;
};

// The platform's files and digests.
IPayloadFiles& SystemPayloadFiles();

// The SHA-256 of `size` bytes with the platform's implementation; nothing
// when the platform's cryptography fails.
std::optional<Sha256Digest> Sha256OfBytes(const uint8_t* data, size_t size);

}  // namespace vwi
