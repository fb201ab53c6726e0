// The integrity rule of downloaded and shipped packages: where a digest is
// given, the file must match it before anything runs, installs or takes over
// from it; otherwise the file is removed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "context/payload_digest.h"
#include "download/payload_files.h"
#include "platform/held_folder.h"

namespace vwi {

enum class PayloadVerdict {
  NoDigest,         // none given: the file is used as it is
  Matched,          // the file's digest equals the given one
  Mismatched,       // the file differs
  Unreadable,       // the file could not be read to compute its digest
  MalformedDigest,  // the given digest is not 64 hexadecimal digits
  Link,             // the file or its folder is a link: it is never used
  NotHeld,          // the file could not be held (missing, or open elsewhere for writing)
};

// True for the verdicts under which the file may be used.
constexpr bool IsAccepted(PayloadVerdict verdict) {
  return verdict == PayloadVerdict::NoDigest || verdict == PayloadVerdict::Matched;
}

// True for the refusals that concern the file's bytes and its digest; the
// others (a link, a file that could not be held) concern where it lies.
constexpr bool IsIntegrityFailure(PayloadVerdict verdict) {
  return verdict == PayloadVerdict::Mismatched || verdict == PayloadVerdict::Unreadable ||
         verdict == PayloadVerdict::MalformedDigest;
}

// The verdict for a file whose digest came out as `actual` (nothing when the
// file could not be read).
PayloadVerdict JudgePayload(const std::optional<std::u16string>& expected,
                            const std::optional<Sha256Digest>& actual);

// Checks the file `name` of `folder`, held in `hold`, against `expected`
// through that hold, so that the file checked is the file used. An accepted
// file stays held in `held` (when given) until the caller has used it; a file
// that is not accepted is let go and removed, and a diagnostic line names it,
// with both digests.
PayloadVerdict VerifyPayload(const std::optional<std::u16string>& expected, FileHold hold,
                             IHeldFolder& folder, std::u16string_view name,
                             HeldPayloads* held = nullptr);

}  // namespace vwi
