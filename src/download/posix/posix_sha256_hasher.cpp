// SHA-256 natively, through the portable implementation.
#include "download/payload_files.h"
#include "download/posix/sha256.h"

namespace vwi {

struct Sha256Hasher::State {
  Sha256 hash;
};

Sha256Hasher::Sha256Hasher() : state_(std::make_unique<State>()) {}

Sha256Hasher::~Sha256Hasher() = default;

void Sha256Hasher::Update(const uint8_t* data, size_t size) { state_->hash.Update(data, size); }

std::optional<Sha256Digest> Sha256Hasher::Finish() { return state_->hash.Finish(); }

}  // namespace vwi
