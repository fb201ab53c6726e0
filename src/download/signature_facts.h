// What the platform's code-signing services tell about a program file: that
// it carries a signature over its bytes, who signed it (by the public key of
// the signing certificate, never by a name), and whether that certificate's
// chain, built for code signing, ends in a root this machine trusts and holds
// at the time that counts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "context/payload_digest.h"
#include "platform/held_folder.h"

namespace vwi {

struct SignatureFacts {
  bool present = false;  // the file carries an Authenticode signature
  bool intact = false;   // the signature covers the file's bytes as they are
  // The SHA-256 of the signing certificate's SubjectPublicKeyInfo.
  std::optional<Sha256Digest> signerKey;
  // The chain's error bits, built for code signing (0: none). The
  // certificate's dates count at the verified signing time when the
  // signature carries a timestamp, else now.
  uint32_t chainErrors = 0;
  bool timestamped = false;   // a verified timestamp set the time the chain was judged at
  uint32_t verifyResult = 0;  // the platform's verdict on the signature (0: valid), for the log
};

class ISignatureReader {
 public:
  virtual ~ISignatureReader() = default;
  // The running program's own signature.
  virtual SignatureFacts OwnSignature() = 0;
  // The signature of a held program file, read through the hold; `path`
  // names the same file for the services that want one.
  virtual SignatureFacts Read(IHeldFile& file, const std::u16string& path) = 0;
};

// The platform's own (natively: nothing is ever signed).
ISignatureReader& SystemSignatures();

}  // namespace vwi
