#include "wizard/failure_box.h"

#include <utility>

#include "localisation/ui_text_format.h"
#include "platform/message_box.h"
#include "platform/text.h"

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

// A failed download's box: the sentence, then where and how it failed, for
// whoever is asked for help ("http://host/Vimzee.msi: status 404").
FailureBox DownloadFailureBox(const InstallResult& result, const UiStringCatalogue& strings,
                              const std::u16string& shortName) {
  std::u16string text = DownloadSentence(result.transfer, strings);
  if (!result.failedAddress.empty() && !result.transfer.ok()) {
    text += u"\n\n" + result.failedAddress + u": " + TransferResultText(result.transfer);
  }
  return FailureBox{std::move(text), shortName, message_box::kIconError};
}

}  // namespace

std::optional<FailureBox> FailureBoxFor(const InstallResult& result,
                                        const UiStringCatalogue& strings,
                                        const std::u16string& shortName) {
  if (result.state != InstallState::Failed) return std::nullopt;
  // The last version check's answers have always been the installer's own.
  constexpr uint32_t kRecheckStyle = message_box::kOkCancel | message_box::kIconError;
  switch (result.cause) {
    case FailureCause::DownloadFailed:
      return DownloadFailureBox(result, strings, shortName);
    case FailureCause::PayloadIntegrity:
      if (result.failedItem.empty()) {
        return FailureBox{strings.LookupUiString(IDS_ERR_CONNECT_DOWNLOAD_SERVER), shortName,
                          message_box::kIconError};
      }
      return FailureBox{FormatUiString(strings, IDS_ERR_PAYLOAD_DAMAGED, {result.failedItem}),
                        shortName, message_box::kIconError};
    case FailureCause::DiskSpace:
      return FailureBox{FormatUiString(strings, IDS_ERR_OUT_OF_DISK,
                                       {DecimalText(static_cast<int64_t>(result.megabytesNeeded))}),
                        shortName, message_box::kOk | message_box::kIconError};
    case FailureCause::AlreadyInstalled:
      return FailureBox{FormatUiString(strings, IDS_ERR_INSTALLED_ALREADY, {shortName}),
                        u"Windows Installer", kRecheckStyle};
    case FailureCause::InstallerTooOld:
      return FailureBox{strings.LookupUiString(IDS_ERR_CLIENT_TOO_OLD), u"Windows Installer",
                        kRecheckStyle};
    default:
      return std::nullopt;
  }
}

}  // namespace vwi
