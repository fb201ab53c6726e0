// What every download of the installer is checked against: the free space of
// its target's volume before it starts, the digest its file was given once it
// is on disk, and for a program that replaces this installer its signature.
// By default the platform's own services answer.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "download/free_space.h"
#include "download/payload_files.h"
#include "download/signature_facts.h"

namespace vwi {

struct DownloadChecks {
  IFreeSpace* freeSpace = &SystemFreeSpace();
  ISignatureReader* signatures = &SystemSignatures();
  // Tells the user that a volume is too full (IDS_ERR_OUT_OF_DISK with the
  // megabytes needed); may be empty.
  std::function<void(uint64_t megabytesNeeded)> onOutOfDisk;
  // Where accepted packages stay held until they have been used; when null
  // they are let go once checked.
  HeldPayloads* held = nullptr;
};

// True when the volume of `folder` has room for `size` bytes plus the margin.
// Otherwise the shortage is written as a diagnostic line and told through
// `onOutOfDisk`, and the result is false.
bool EnsureFreeSpace(const DownloadChecks& checks, const std::u16string& folder, uint64_t size);

}  // namespace vwi
