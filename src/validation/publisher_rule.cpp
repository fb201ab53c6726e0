#include "validation/publisher_rule.h"

#include <algorithm>
#include <iterator>

#include "platform/text.h"

#ifndef VWI_RENEWED_PUBLISHER_KEYS
#define VWI_RENEWED_PUBLISHER_KEYS ""
#endif

namespace vwi {

UpdaterTrust JudgeUpdater(const SignatureFacts& own, const SignatureFacts& updater,
                          PayloadVerdict digest, std::span<const Sha256Digest> renewedKeys) {
  if (!own.present) {
    return digest == PayloadVerdict::Matched ? UpdaterTrust::Trusted : UpdaterTrust::NoProof;
  }
  if (!updater.present) return UpdaterTrust::NotSigned;
  if (!updater.intact || !updater.signerKey) return UpdaterTrust::SignatureBroken;
  // A running installer whose own key cannot be read matches no one.
  const bool sameKey = own.signerKey && *own.signerKey == *updater.signerKey;
  const bool renewed =
      std::find(renewedKeys.begin(), renewedKeys.end(), *updater.signerKey) != renewedKeys.end();
  if (!sameKey && !renewed) return UpdaterTrust::OtherPublisher;
  if (updater.chainErrors != 0) return UpdaterTrust::ChainRefused;
  return UpdaterTrust::Trusted;
}

std::u16string_view UpdaterTrustText(UpdaterTrust trust) {
  constexpr std::u16string_view kTexts[] = {
      u"it is the publisher's own",
      u"this installer is not signed and the version file gives no digest",
      u"it is not signed",
      u"its signature does not match its bytes",
      u"it is signed by another publisher",
      u"its certificate does not lead to a trusted root for code signing"};
  static_assert(std::size(kTexts) == static_cast<size_t>(UpdaterTrust::ChainRefused) + 1);
  return NameIn(kTexts, trust);
}

std::vector<Sha256Digest> RenewedPublisherKeys() {
  std::vector<Sha256Digest> keys;
  const std::u16string list = Utf16FromUtf8(VWI_RENEWED_PUBLISHER_KEYS);
  size_t start = 0;
  while (start < list.size()) {
    size_t comma = list.find(u',', start);
    if (comma == std::u16string::npos) comma = list.size();
    if (const std::optional<Sha256Digest> key = ParseSha256Hex(list.substr(start, comma - start))) {
      keys.push_back(*key);
    }
    start = comma + 1;
  }
  return keys;
}

}  // namespace vwi
