// When a newer installer, which replaces this one and runs with its rights,
// may be started: only when it is the publisher's own. A signed installer
// takes only a newer one signed with the same key (or a key the publisher
// renewed its certificate with), whose signature covers its bytes and whose
// certificate chains to a trusted root for code signing. An unsigned (a
// development) build takes only one that matches the version file's digest.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "download/payload_check.h"
#include "download/signature_facts.h"

namespace vwi {

enum class UpdaterTrust {
  Trusted,
  NoProof,          // this installer is not signed and the version file gives no digest
  NotSigned,        // this installer is signed; the newer one is not
  SignatureBroken,  // its signature does not cover its bytes
  OtherPublisher,   // signed with another key than this installer's
  ChainRefused,     // its certificate does not chain to a trusted root for code signing in time
};

// The verdict on a downloaded newer installer whose digest check gave
// `digest` (accepted: NoDigest or Matched). `renewedKeys` are the keys of the
// publisher's renewed certificates.
UpdaterTrust JudgeUpdater(const SignatureFacts& own, const SignatureFacts& updater,
                          PayloadVerdict digest, std::span<const Sha256Digest> renewedKeys);

// The verdict as the log names it.
std::u16string_view UpdaterTrustText(UpdaterTrust trust);

// The keys of the publisher's renewed certificates built into the program
// (the build's VWI_RENEWED_PUBLISHER_KEYS, 64 hexadecimal digits each,
// separated by commas; none by default).
std::vector<Sha256Digest> RenewedPublisherKeys();

}  // namespace vwi
