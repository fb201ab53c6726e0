#include "validation/run_validation.h"

#include "localisation/ui_text_format.h"
#include "platform/text.h"
#include "validation/download_failure_text.h"

namespace vwi {
namespace {

// The version file did not arrive: the box for its cause, or, for a file
// that arrived but cannot be read, the unreachable server's.
void ReportUnreachableServer(const InstallerContext& context, const ValidationHandOver& handOver,
                             IValidationWindow& window) {
  window.Hide();
  const std::u16string text =
      handOver.versionTransfer.ok()
          ? context.strings.LookupUiString(IDS_ERR_CONNECT_DOWNLOAD_SERVER)
          : DownloadFailureText(handOver.versionTransfer, handOver.versionAddress, context.strings);
  window.Messages().Show(text, context.manifest.shortName,
                         message_box::kOk | message_box::kIconError);
}

void OfferInstalledProduct(const InstallerContext& context, IValidationWindow& window) {
  window.Hide();
  const std::u16string& name = context.manifest.shortName;
  const std::u16string text = FormatUiString(context.strings, IDS_ERR_INSTALLED_ALREADY, {name});
  const int answer =
      window.Messages().Show(text, name, message_box::kYesNo | message_box::kIconError);
  if (answer != message_box::kAnswerYes) return;
  const std::u16string program = window.InstalledExecutablePath();
  if (!program.empty()) window.LaunchUnelevated(program);
}

void ReportOutOfDisk(const InstallerContext& context, IValidationWindow& window,
                     uint64_t megabytesNeeded) {
  window.Hide();
  const std::u16string text = FormatUiString(context.strings, IDS_ERR_OUT_OF_DISK,
                                             {DecimalText(static_cast<int64_t>(megabytesNeeded))});
  window.Messages().Show(text, context.manifest.shortName,
                         message_box::kOk | message_box::kIconError);
}

// The box of a download that failed its check, naming the newer installer.
void ReportRefusedUpdater(const InstallerContext& context, IValidationWindow& window) {
  window.Hide();
  const std::u16string text = FormatUiString(context.strings, IDS_ERR_PAYLOAD_DAMAGED,
                                             {context.manifest.fullName + u".exe"});
  window.Messages().Show(text, context.manifest.shortName,
                         message_box::kOk | message_box::kIconError);
}

}  // namespace

void RunValidation(InstallerContext& context, const AppFlags& flags, ISystemServices& system,
                   ITransfers& transfers, IValidationWindow& window, ValidationHandOver& handOver,
                   const DownloadChecks& checks) {
  window.Wait(200);
  switch (CheckVersion(context, flags, transfers, handOver)) {
    case VersionCheckResult::ServerUnreachable:
      handOver.outcome = ValidationOutcome::Stop;
      // The person cancelled a question the transfer asked (a proxy's
      // password): the run ends cancelled, and nothing more is said.
      if (handOver.versionTransfer.failure == TransferFailure::Cancelled) {
        handOver.failureCause = FailureCause::Cancelled;
        break;
      }
      ReportUnreachableServer(context, handOver, window);
      handOver.failureCause = FailureCause::DownloadFailed;
      break;
    case VersionCheckResult::AlreadyInstalled:
      // The run stops whatever the answer: the product may only be started.
      handOver.outcome = ValidationOutcome::Stop;
      handOver.failureCause = FailureCause::AlreadyInstalled;
      OfferInstalledProduct(context, window);
      break;
    case VersionCheckResult::ClientTooOld: {
      DownloadChecks told = checks;
      if (!told.onOutOfDisk) {
        told.onOutOfDisk = [&](uint64_t megabytes) { ReportOutOfDisk(context, window, megabytes); };
      }
      // A failed download keeps this installer: the wizard opens as usual. A
      // full volume stops the run: the user has been told what to free. So
      // does a newer installer that is not the publisher's own, which is
      // never started.
      if (DownloadNewInstaller(context, flags, system, transfers, handOver, told)) {
        handOver.outcome = ValidationOutcome::HandOver;
      } else if (handOver.failureCause == FailureCause::DiskSpace) {
        handOver.outcome = ValidationOutcome::Stop;
      } else if (handOver.failureCause == FailureCause::PayloadIntegrity) {
        ReportRefusedUpdater(context, window);
        handOver.outcome = ValidationOutcome::Stop;
      }
      break;
    }
    case VersionCheckResult::UpToDate:
      break;
  }
  window.Close();
}

}  // namespace vwi
