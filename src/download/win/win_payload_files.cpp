// The payload files on Windows: SHA-256 through BCrypt, sizes and removal
// through the file API.
#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "download/payload_files.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }
void DestroyHash(BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }
using UniqueAlgorithm = UniqueHandle<NullHandleTraits<BCRYPT_ALG_HANDLE, CloseAlgorithm>>;
using UniqueHash = UniqueHandle<NullHandleTraits<BCRYPT_HASH_HANDLE, DestroyHash>>;

bool Succeeded(NTSTATUS status) { return status >= 0; }

// One SHA-256 computation; `ok` is false once any BCrypt call has failed.
class BcryptSha256 {
 public:
  BcryptSha256() {
    ok_ = Succeeded(
              BCryptOpenAlgorithmProvider(algorithm_.put(), BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
          Succeeded(BCryptCreateHash(algorithm_.get(), hash_.put(), nullptr, 0, nullptr, 0, 0));
  }
  void Update(const uint8_t* data, size_t size) {
    // BCryptHashData takes 32-bit lengths.
    while (ok_ && size > 0) {
      const ULONG part = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
      ok_ = Succeeded(BCryptHashData(hash_.get(), const_cast<PUCHAR>(data), part, 0));
      data += part;
      size -= part;
    }
  }
  std::optional<Sha256Digest> Finish() {
    Sha256Digest digest{};
    if (!ok_ || !Succeeded(BCryptFinishHash(hash_.get(), digest.data(),
                                            static_cast<ULONG>(digest.size()), 0))) {
      return std::nullopt;
    }
    return digest;
  }

 private:
  UniqueAlgorithm algorithm_;
  UniqueHash hash_;
  bool ok_ = false;
};

class WinPayloadFiles final : public IPayloadFiles {
 public:
  std::optional<Sha256Digest> Sha256OfFile(const std::u16string& path) override {
    UniqueFile file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    BcryptSha256 hash;
    std::vector<uint8_t> buffer(1 << 16);
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
        return std::nullopt;
      }
      if (read == 0) break;
      hash.Update(buffer.data(), read);
    }
    return hash.Finish();
  }
  std::optional<uint64_t> FileSize(const std::u16string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool RemoveFile(const std::u16string& path) override {
    DeleteFileW(Wide(path));
    return GetFileAttributesW(Wide(path)) == INVALID_FILE_ATTRIBUTES;
  }
};

}  // namespace

IPayloadFiles& SystemPayloadFiles() {
  static WinPayloadFiles files;
  return files;
}

std::optional<Sha256Digest> Sha256OfBytes(const uint8_t* data, size_t size) {
  BcryptSha256 hash;
  hash.Update(data, size);
  return hash.Finish();
}

}  // namespace vwi
