#include "validation/download_failure_text.h"

#include "localisation/ui_text_format.h"

namespace vwi {
namespace {

// The sentence a person can act on, for the kind of a failed download.
std::u16string DownloadSentence(const TransferResult& transfer, const UiStringCatalogue& strings) {
  switch (transfer.failure) {
    case TransferFailure::NameNotResolved:
      return strings.LookupUiString(IDS_ERR_SERVER_NOT_FOUND);
    case TransferFailure::Status:
      return FormatUiString(strings, IDS_ERR_SERVER_REFUSED, {transfer.status});
    case TransferFailure::ProxyAuthentication:
      return strings.LookupUiString(IDS_ERR_PROXY_AUTHENTICATION);
    case TransferFailure::WebPage:
      return strings.LookupUiString(IDS_ERR_WEB_PAGE);
    case TransferFailure::Stalled:
      return strings.LookupUiString(IDS_ERR_DOWNLOAD_STALLED);
    case TransferFailure::CertificateRefused:
      switch (CertificateProblemOf(transfer)) {
        case CertificateProblem::Dates:
          return strings.LookupUiString(IDS_ERR_CERT_DATES);
        case CertificateProblem::Authority:
          return strings.LookupUiString(IDS_ERR_CERT_AUTHORITY);
        case CertificateProblem::Name:
          return strings.LookupUiString(IDS_ERR_CERT_NAME);
        default:
          return strings.LookupUiString(IDS_ERR_CERT_OTHER);
      }
    default:
      return strings.LookupUiString(IDS_ERR_CONNECT_DOWNLOAD_SERVER);
  }
}

}  // namespace

std::u16string DownloadFailureText(const TransferResult& transfer, std::u16string_view address,
                                   const UiStringCatalogue& strings) {
  std::u16string text = DownloadSentence(transfer, strings);
  if (!address.empty() && !transfer.ok()) {
    text += u"\n\n" + std::u16string(address) + u": " + TransferResultText(transfer);
  }
  return text;
}

}  // namespace vwi
