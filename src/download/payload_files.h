// What the payload checks need of the file system: a file held open from its
// check to its use, its SHA-256 read through that hold (with the platform's
// cryptography: BCrypt on Windows), its size, its removal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "context/payload_digest.h"

namespace vwi {

// A package held open so that no other process can change, replace, rename
// or delete it (on Windows: read access shared for reading only) until the
// hold is released. Programs and the Windows Installer can still read and
// start it.
class IHeldPayload {
 public:
  virtual ~IHeldPayload() = default;
  // The SHA-256 of the whole file read through the hold; nothing when it
  // cannot be read to its end.
  virtual std::optional<Sha256Digest> Sha256() = 0;
};

using HeldPayloads = std::vector<std::unique_ptr<IHeldPayload>>;

// Why a file could not be held.
enum class HoldRefusal {
  None,     // held
  Missing,  // no such file
  Link,     // the file, or the folder it lies in, is a symbolic link, junction or mount point
  Busy,     // another process has it open for writing or deleting
};

struct PayloadHold {
  std::unique_ptr<IHeldPayload> payload;
  HoldRefusal refusal = HoldRefusal::None;
};

class IPayloadFiles {
 public:
  virtual ~IPayloadFiles() = default;
  // Opens the file at `path` and holds it; a link is never followed.
  virtual PayloadHold Hold(const std::u16string& path) = 0;
  // True when `path` (a file or a folder, with or without a trailing
  // backslash) is itself a symbolic link, junction or mount point.
  virtual bool IsLink(const std::u16string& path) = 0;
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
