#include "wizard/failure_box.h"

#include "localisation/ui_text_format.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "validation/download_failure_text.h"

namespace vwi {
namespace {

FailureBox DownloadFailureBox(const InstallResult& result, const UiStringCatalogue& strings,
                              const std::u16string& shortName) {
  return FailureBox{DownloadFailureText(result.transfer, result.failedAddress, strings), shortName,
                    message_box::kIconError};
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
    case FailureCause::InstallerBusy:
      return FailureBox{strings.LookupUiString(IDS_ERR_INSTALLER_BUSY), shortName,
                        message_box::kOk | message_box::kIconError};
    case FailureCause::ProgramFailed:
      return FailureBox{FormatUiString(strings, IDS_ERR_PROGRAM_FAILED,
                                       {result.failedItem, result.installerResult}),
                        shortName, message_box::kOk | message_box::kIconError};
    case FailureCause::InstallerTooOld:
      return FailureBox{strings.LookupUiString(IDS_ERR_CLIENT_TOO_OLD), u"Windows Installer",
                        kRecheckStyle};
    default:
      return std::nullopt;
  }
}

bool IsToldInSilentMode(FailureCause cause) {
  return cause != FailureCause::InstallerBusy && cause != FailureCause::ProgramFailed;
}

}  // namespace vwi
