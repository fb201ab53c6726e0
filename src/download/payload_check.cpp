#include "download/payload_check.h"

#include "platform/diagnostics.h"

namespace vwi {

PayloadVerdict JudgePayload(const std::optional<std::u16string>& expected,
                            const std::optional<Sha256Digest>& actual) {
  if (!expected) return PayloadVerdict::NoDigest;
  const std::optional<Sha256Digest> wanted = ParseSha256Hex(*expected);
  if (!wanted) return PayloadVerdict::MalformedDigest;
  if (!actual) return PayloadVerdict::Unreadable;
  return *actual == *wanted ? PayloadVerdict::Matched : PayloadVerdict::Mismatched;
}

PayloadVerdict VerifyPayload(const std::optional<std::u16string>& expected,
                             const std::u16string& path, IPayloadFiles& files) {
  if (!expected) return PayloadVerdict::NoDigest;
  std::optional<Sha256Digest> actual;
  if (ParseSha256Hex(*expected)) actual = files.Sha256OfFile(path);
  const PayloadVerdict verdict = JudgePayload(expected, actual);
  if (IsAccepted(verdict)) return verdict;
  const bool removed = files.RemoveFile(path);
  std::u16string found = u"found <unreadable>";
  if (verdict == PayloadVerdict::MalformedDigest) found = u"which is no SHA-256 digest";
  if (actual) found = u"found " + Sha256Hex(*actual);
  DiagnosticLine(
      u"KORVO_DEBUG: Payload integrity check failed for " + path + u": expected " + *expected +
      u", " + found +
      (removed ? u"; the file was deleted.\r\n" : u"; the file could not be deleted.\r\n"));
  return verdict;
}

}  // namespace vwi
