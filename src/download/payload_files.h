// The SHA-256 of a held package, read through its hold with the platform's
// cryptography (BCrypt on Windows), and the list that keeps packages held
// from their check until they have been used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "context/payload_digest.h"
#include "platform/held_folder.h"

namespace vwi {

// Packages held from their check to their use.
using HeldPayloads = std::vector<std::unique_ptr<IHeldFile>>;

// One SHA-256 computation with the platform's implementation.
class Sha256Hasher {
 public:
  Sha256Hasher();
  ~Sha256Hasher();
  Sha256Hasher(const Sha256Hasher&) = delete;
  Sha256Hasher& operator=(const Sha256Hasher&) = delete;
  void Update(const uint8_t* data, size_t size);
  // Nothing when the platform's cryptography failed on the way.
  std::optional<Sha256Digest> Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The SHA-256 of the whole file, read through its hold from the start;
// nothing when it cannot be read to its end.
std::optional<Sha256Digest> Sha256OfFile(IHeldFile& file);

// The SHA-256 of `size` bytes.
std::optional<Sha256Digest> Sha256OfBytes(const uint8_t* data, size_t size);

}  // namespace vwi
