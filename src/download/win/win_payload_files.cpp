// The payload files on Windows: SHA-256 through BCrypt, sizes and removal
// through the file API.
#include <windows.h>
#include <bcrypt.h>

#include <vector>

#include "download/payload_files.h"
#include "platform/win/reparse_point.h"
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

// A package opened for reading with reading alone shared: until the handle is
// closed no process can open it for writing, delete or rename it, while the
// Windows Installer and the process loader, which share reading, still can.
class WinHeldPayload final : public IHeldPayload {
 public:
  explicit WinHeldPayload(UniqueFile file) : file_(std::move(file)) {}
  std::optional<Sha256Digest> Sha256() override {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file_.get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
    BcryptSha256 hash;
    std::vector<uint8_t> buffer(1 << 16);
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                    nullptr)) {
        return std::nullopt;
      }
      if (read == 0) break;
      hash.Update(buffer.data(), read);
    }
    return hash.Finish();
  }

 private:
  UniqueFile file_;
};

class WinPayloadFiles final : public IPayloadFiles {
 public:
  PayloadHold Hold(const std::u16string& path) override {
    const size_t cut = path.rfind(u'\\');
    if (cut != std::u16string::npos && IsLink(path.substr(0, cut))) {
      return {nullptr, HoldRefusal::Link};
    }
    // The link itself is opened, never what it points at.
    UniqueFile file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
      const DWORD error = GetLastError();
      const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      return {nullptr, missing ? HoldRefusal::Missing : HoldRefusal::Busy};
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return {nullptr, HoldRefusal::Busy};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return {nullptr, HoldRefusal::Link};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {nullptr, HoldRefusal::Missing};
    return {std::make_unique<WinHeldPayload>(std::move(file)), HoldRefusal::None};
  }
  bool IsLink(const std::u16string& path) override { return IsReparsePoint(path); }
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
