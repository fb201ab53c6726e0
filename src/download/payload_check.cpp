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

namespace {

// What a refused file's diagnostic line says was found.
std::u16string FoundText(PayloadVerdict verdict, const std::optional<Sha256Digest>& actual) {
  switch (verdict) {
    case PayloadVerdict::MalformedDigest:
      return u"which is no SHA-256 digest";
    case PayloadVerdict::Link:
      return u"found a link, which is never followed";
    case PayloadVerdict::NotHeld:
      return u"found a file that could not be held (missing, or open elsewhere for writing)";
    default:
      return actual ? u"found " + Sha256Hex(*actual) : u"found <unreadable>";
  }
}

PayloadVerdict VerdictFor(const std::optional<std::u16string>& expected, const FileHold& hold,
                          std::optional<Sha256Digest>& actual) {
  if (hold.refusal == HoldRefusal::Link) return PayloadVerdict::Link;
  if (expected && !ParseSha256Hex(*expected)) return PayloadVerdict::MalformedDigest;
  if (!hold.file) return expected ? PayloadVerdict::Unreadable : PayloadVerdict::NotHeld;
  if (expected) actual = Sha256OfFile(*hold.file);
  return JudgePayload(expected, actual);
}

}  // namespace

PayloadVerdict VerifyPayload(const std::optional<std::u16string>& expected, FileHold hold,
                             IHeldFolder& folder, std::u16string_view name, HeldPayloads* held) {
  std::optional<Sha256Digest> actual;
  const PayloadVerdict verdict = VerdictFor(expected, hold, actual);
  if (IsAccepted(verdict)) {
    if (held) held->push_back(std::move(hold.file));
    return verdict;
  }
  hold.file.reset();  // let go first, or the removal would fail
  const bool removed = folder.Remove(name);
  DiagnosticLine(
      u"KORVO_DEBUG: Payload integrity check failed for " + folder.Path() + std::u16string(name) +
      u": expected " + expected.value_or(u"no digest") + u", " + FoundText(verdict, actual) +
      (removed ? u"; the file was deleted.\r\n" : u"; the file could not be deleted.\r\n"));
  return verdict;
}

}  // namespace vwi
