#include "install/install_result.h"

#include "platform/text.h"

namespace vwi {
namespace {

std::u16string_view StateText(InstallState state) {
  switch (state) {
    case InstallState::Finished:
      return u"finished";
    case InstallState::Failed:
      return u"failed";
    case InstallState::Cancelled:
      return u"cancelled";
    default:
      return u"not ended";
  }
}

}  // namespace

std::u16string InstallResultLogEntry(const InstallResult& result) {
  std::u16string entry = u"Installation ended: " + std::u16string(StateText(result.state));
  if (result.state == InstallState::Failed) {
    entry += u", " + std::u16string(FailureCauseName(result.cause));
    if (!result.failedItem.empty()) entry += u", " + result.failedItem;
    if (!result.failedAddress.empty()) entry += u" from " + result.failedAddress;
    if (!result.transfer.ok()) entry += u": " + TransferResultText(result.transfer);
    if (result.installerResult != 0) {
      entry += u", installer result " + DecimalText(static_cast<int64_t>(result.installerResult));
    }
  }
  if (result.restartRequired) entry += u"; a restart is needed";
  return entry;
}

}  // namespace vwi
