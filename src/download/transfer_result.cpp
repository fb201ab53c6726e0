#include "download/transfer_result.h"

#include <iterator>

#include "platform/text.h"

namespace vwi {
namespace {

// The network stack's codes this program tells apart (WinINet's numbers).
enum : uint32_t {
  kTimeout = 12002,
  kInvalidUrl = 12005,
  kUnrecognizedScheme = 12006,
  kNameNotResolved = 12007,
  kOperationCancelled = 12017,
  kCannotConnect = 12029,
  kConnectionAborted = 12030,
  kConnectionReset = 12031,
  kCertDateInvalid = 12037,
  kCertCnInvalid = 12038,
  kInvalidCa = 12045,
  kCertErrors = 12055,
  kCertRevocationFailed = 12057,
  kInvalidServerResponse = 12152,
  kInvalidCert = 12169,
  kCertRevoked = 12170,
  kCertWeakSignature = 12179,
  kStalledCall = 0x20000001,  // the program's own: a call given up after the stall limit
  kDiskFull = 112,
  kHandleDiskFull = 39,
};

}  // namespace

TransferResult RefusedWith(uint32_t status, std::optional<uint32_t> retryAfterSeconds) {
  TransferResult result;
  result.failure = status == 407 ? TransferFailure::ProxyAuthentication : TransferFailure::Status;
  result.status = status;
  result.retryAfterSeconds = retryAfterSeconds;
  return result;
}

TransferFailure FailureOfSystemCode(uint32_t code) {
  switch (code) {
    case kCannotConnect:
      return TransferFailure::NoConnection;
    case kNameNotResolved:
      return TransferFailure::NameNotResolved;
    case kTimeout:
      return TransferFailure::TimedOut;
    case kStalledCall:
      return TransferFailure::Stalled;
    case kOperationCancelled:
      return TransferFailure::Cancelled;
    case kConnectionReset:
    case kConnectionAborted:
    case kInvalidServerResponse:
      return TransferFailure::Dropped;
    case kCertDateInvalid:
    case kCertCnInvalid:
    case kInvalidCa:
    case kCertErrors:
    case kCertRevocationFailed:
    case kInvalidCert:
    case kCertRevoked:
    case kCertWeakSignature:
      return TransferFailure::CertificateRefused;
    case kInvalidUrl:
    case kUnrecognizedScheme:
      return TransferFailure::BadAddress;
    case kDiskFull:
    case kHandleDiskFull:
      return TransferFailure::DiskFull;
    default:
      return TransferFailure::Other;
  }
}

CertificateProblem CertificateProblemOf(const TransferResult& result) {
  if (result.failure != TransferFailure::CertificateRefused) return CertificateProblem::None;
  switch (result.systemCode) {
    case kCertDateInvalid:
      return CertificateProblem::Dates;
    case kInvalidCa:
      return CertificateProblem::Authority;
    case kCertCnInvalid:
      return CertificateProblem::Name;
    default:
      return CertificateProblem::Other;
  }
}

std::u16string TransferResultText(const TransferResult& result) {
  if (result.failure == TransferFailure::Status) {
    return u"status " + DecimalText(static_cast<int64_t>(result.status));
  }
  constexpr std::u16string_view kTexts[] = {u"no failure",
                                            u"no connection",
                                            u"name not resolved",
                                            u"connection dropped",
                                            u"timed out",
                                            u"stalled",
                                            u"status",
                                            u"certificate refused",
                                            u"proxy authentication required",
                                            u"nothing to download",
                                            u"a contradictory answer",
                                            u"digest mismatch",
                                            u"disk full",
                                            u"not writable",
                                            u"bad address",
                                            u"cancelled",
                                            u"a web page instead of the download",
                                            u"failed"};
  static_assert(std::size(kTexts) == static_cast<size_t>(TransferFailure::Other) + 1);
  std::u16string text(NameIn(kTexts, result.failure));
  if (result.failure == TransferFailure::ProxyAuthentication) text += u" (status 407)";
  // A stall is the program's own verdict: its code says nothing more.
  if (result.systemCode != 0 && result.failure != TransferFailure::Stalled) {
    text += u" (" + DecimalText(static_cast<int64_t>(result.systemCode)) + u")";
  }
  return text;
}

}  // namespace vwi
