// SHA-256 through BCrypt.
#include <windows.h>
#include <bcrypt.h>

#include "download/payload_files.h"
#include "platform/win/unique_handle.h"

namespace vwi {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }
void DestroyHash(BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }
using UniqueAlgorithm = UniqueHandle<NullHandleTraits<BCRYPT_ALG_HANDLE, CloseAlgorithm>>;
using UniqueHash = UniqueHandle<NullHandleTraits<BCRYPT_HASH_HANDLE, DestroyHash>>;

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

// `ok` is false once any BCrypt call has failed.
struct Sha256Hasher::State {
  UniqueAlgorithm algorithm;
  UniqueHash hash;
  bool ok = false;
};

Sha256Hasher::Sha256Hasher() : state_(std::make_unique<State>()) {
  state_->ok = Succeeded(BCryptOpenAlgorithmProvider(state_->algorithm.put(),
                                                     BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
               Succeeded(BCryptCreateHash(state_->algorithm.get(), state_->hash.put(), nullptr, 0,
                                          nullptr, 0, 0));
}

Sha256Hasher::~Sha256Hasher() = default;

void Sha256Hasher::Update(const uint8_t* data, size_t size) {
  // BCryptHashData takes 32-bit lengths.
  while (state_->ok && size > 0) {
    const ULONG part = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
    state_->ok = Succeeded(BCryptHashData(state_->hash.get(), const_cast<PUCHAR>(data), part, 0));
    data += part;
    size -= part;
  }
}

std::optional<Sha256Digest> Sha256Hasher::Finish() {
  Sha256Digest digest{};
  if (!state_->ok || !Succeeded(BCryptFinishHash(state_->hash.get(), digest.data(),
                                                 static_cast<ULONG>(digest.size()), 0))) {
    return std::nullopt;
  }
  return digest;
}

}  // namespace vwi
