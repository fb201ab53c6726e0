#include "download/win/certificate_diagnosis.h"

#include "download/transfer_result.h"
#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {
namespace {

enum : uint32_t {
  kCertDateInvalid = 12037,
  kRevocationFailed = 12057,
  kCertErrors = 12055,
};

bool OutOfDates(HINTERNET request) {
  INTERNET_CERTIFICATE_INFO info{};  // its texts wide, as asked through the W call
  DWORD size = sizeof info;
  if (!InternetQueryOptionW(request, INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT, &info, &size)) {
    return false;
  }
  // The structure's texts belong to the caller.
  LocalFree(info.lpszSubjectInfo);
  LocalFree(info.lpszIssuerInfo);
  LocalFree(info.lpszProtocolName);
  LocalFree(info.lpszSignatureAlgName);
  LocalFree(info.lpszEncryptionAlgName);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return CompareFileTime(&now, &info.ftStart) < 0 || CompareFileTime(&now, &info.ftExpiry) > 0;
}

}  // namespace

uint32_t DiagnosedCertificateError(HINTERNET request, uint32_t code,
                                   const std::function<uint32_t()>& askWithoutRevocation) {
  if (code != kRevocationFailed && code != kCertErrors) return code;
  uint32_t named = code;
  if (OutOfDates(request)) {
    named = kCertDateInvalid;
  } else if (askWithoutRevocation) {
    const uint32_t without = askWithoutRevocation();
    if (without != code && FailureOfSystemCode(without) == TransferFailure::CertificateRefused) {
      named = without;
    }
  }
  if (named != code) {
    LogLine(u"The certificate refused with " + DecimalText(static_cast<int64_t>(code)) +
            u" is judged again: " + DecimalText(static_cast<int64_t>(named)));
  }
  return named;
}

}  // namespace vwi
