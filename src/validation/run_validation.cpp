#include "validation/run_validation.h"

#include "download/progress.h"

namespace vwi {
namespace {

void ReportUnreachableServer(const InstallerContext& context, const ValidationTexts& texts,
                             IValidationWindow& window) {
  window.Hide();
  window.Messages().Show(texts.connectFailed, context.manifest.shortName,
                         message_box::kOk | message_box::kIconError);
}

void OfferInstalledProduct(const InstallerContext& context, const ValidationTexts& texts,
                           IValidationWindow& window) {
  window.Hide();
  const std::u16string& name = context.manifest.shortName;
  const int answer = window.Messages().Show(FormatWithName(texts.installedAlready, name), name,
                                            message_box::kYesNo | message_box::kIconError);
  if (answer != message_box::kAnswerYes) return;
  const std::u16string program = window.InstalledExecutablePath();
  if (!program.empty()) window.LaunchUnelevated(program);
}

}  // namespace

void RunValidation(InstallerContext& context, const AppFlags& flags, ISystemServices& system,
                   IStreamDownloader& downloader, const ValidationTexts& texts,
                   IValidationWindow& window, ValidationHandOver& handOver) {
  window.Wait(200);
  switch (CheckVersion(context, flags, system, downloader, handOver)) {
    case VersionCheckResult::ServerUnreachable:
      ReportUnreachableServer(context, texts, window);
      handOver.outcome = ValidationOutcome::Stop;
      break;
    case VersionCheckResult::AlreadyInstalled:
      // The run stops whatever the answer: the product may only be started.
      handOver.outcome = ValidationOutcome::Stop;
      OfferInstalledProduct(context, texts, window);
      break;
    case VersionCheckResult::ClientTooOld:
      // A failed download keeps this installer: the wizard opens as usual.
      if (DownloadNewInstaller(context, flags, system, downloader, handOver)) {
        handOver.outcome = ValidationOutcome::HandOver;
      }
      break;
    case VersionCheckResult::UpToDate:
      break;
  }
  window.Close();
}

}  // namespace vwi
