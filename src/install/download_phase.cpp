#include "install/download_phase.h"

#include <exception>

#include "download/fetch_payload.h"
#include "download/payload_check.h"
#include "platform/held_copy.h"
#include "platform/run_log.h"
#include "platform/web_address.h"
#include "validation/version_check.h"

namespace vwi {

namespace {

// Why a package was refused, for the run's failure and the log.
StepResult Refusal(const InstallItem& item, PayloadVerdict verdict) {
  if (verdict == PayloadVerdict::Link) {
    LogLine(u"Item " + item.name + u": refused, its file is a link");
  } else if (verdict == PayloadVerdict::NotHeld) {
    LogLine(u"Item " + item.name + u": refused, its file could not be held against changes");
  }
  return StepResult::Failed(
      IsIntegrityFailure(verdict) ? FailureCause::PayloadIntegrity : FailureCause::DownloadFailed,
      item.name);
}

// A package shipped beside the program is checked and held like a downloaded
// one; a protected run first copies it into its own folder through the
// hold, and checks and uses the copy. A missing file is passed over later,
// as it always was.
StepResult CheckShipped(const InstallItem& item, const DownloadPhase& phase) {
  IHeldFolder* shipped = phase.folders.Shipped(item.folder);
  IHeldFolder* work = phase.folders.Folder(item.folder);
  if (!shipped || !work) return StepResult::Passed();
  FileHold source = shipped->HoldFile(item.fileName);
  if (source.refusal == HoldRefusal::Missing) return StepResult::Passed();
  if (shipped != work && source.file) {
    source = CopyInto(*source.file, *work, item.fileName);
    if (source.file) LogLine(u"Item " + item.name + u": copied to " + item.localPath);
  }
  // What is refused goes from the work folder; a protected run never
  // removes anything beside the program.
  const PayloadVerdict verdict =
      VerifyPayload(item.sha256, std::move(source), *work, item.fileName, &phase.held);
  return IsAccepted(verdict) ? StepResult::Passed() : Refusal(item, verdict);
}

// A package whose name is fixed may still be there from an earlier run; with
// the manifest's digest it is used (and held) as it is. Without a digest
// nothing is reused. A file that does not match is deleted.
bool ReusesEarlierDownload(const InstallItem& item, const DownloadPhase& phase) {
  IHeldFolder* work = phase.folders.Folder(item.folder);
  if (!item.sha256 || !work) return false;
  phase.folders.BringBackKept(item.folder, item.fileName);
  FileHold earlier = work->HoldFile(item.fileName);
  if (earlier.refusal == HoldRefusal::Missing) return false;
  if (VerifyPayload(item.sha256, std::move(earlier), *work, item.fileName, &phase.held) !=
      PayloadVerdict::Matched) {
    return false;
  }
  LogLine(u"Item " + item.name + u": reused from an earlier download, its digest matches");
  phase.folders.KeepForReuse(item.folder, item.fileName);
  return true;
}

// Downloads an item, checked and held.
StepResult FetchItem(const InstallItem& item, int32_t position, const DownloadPhase& phase) {
  IHeldFolder* folder = phase.folders.Folder(item.folder);
  if (!folder) return StepResult::Failed(FailureCause::DownloadFailed, item.name);
  CDownloadJob job(item.url, item.localPath);
  IInstallProgress& progress = phase.progress;
  job.callback = [&progress, &item, position](const DownloadStatusInfo& info) {
    if (info.state == DownloadState::WaitingToRetry) {
      progress.ReportRetryWait(info.retryInSeconds);
      return;
    }
    progress.ReportStatus(InstallState::Downloading, position, DownloadPercent(info), item.name);
  };
  FetchResult fetched = FetchPayload(job, {*folder, item.fileName, item.sha256, item.name},
                                     phase.transfers, phase.checks, phase.cancel, phase.options);
  if (fetched.fetched()) {
    phase.held.push_back(std::move(fetched.file));
    if (fetched.verdict == PayloadVerdict::Matched) {
      phase.folders.KeepForReuse(item.folder, item.fileName);
    }
    return StepResult::Passed();
  }
  if (fetched.cause == FailureCause::PayloadIntegrity ||
      fetched.verdict != PayloadVerdict::NoDigest) {
    LogLine(u"Item " + item.name + u": downloaded, but not accepted");
    return Refusal(item, fetched.verdict);
  }
  LogLine(u"Item " + item.name + u": not downloaded (" +
          std::u16string(FailureCauseName(fetched.cause)) + u", " +
          TransferResultText(fetched.transfer) + u")");
  return StepResult::FailedTransfer(fetched.cause, item.name, fetched.transfer,
                                    WithoutCredentials(item.url));
}

}  // namespace

StepResult DownloadItems(const std::vector<InstallItem>& items, const DownloadPhase& phase) {
  int32_t downloaded = 0;
  for (const InstallItem& item : items) {
    if (phase.cancel.IsCancelled()) return StepResult::Stopped();
    if (!item.download) {
      StepResult checked = CheckShipped(item, phase);
      if (!checked.passed) return checked;
      continue;
    }
    if (ReusesEarlierDownload(item, phase)) {
      phase.progress.ReportStatus(InstallState::Downloading, downloaded, 100, item.name);
      ++downloaded;
      continue;
    }
    StepResult fetched = FetchItem(item, downloaded, phase);
    if (!fetched.passed) return fetched;
    LogLine(u"Item " + item.name + u": downloaded to " + item.localPath);
    ++downloaded;
  }
  return StepResult::Passed();
}

StepResult RecheckVersion(RecheckInputs inputs, ITransfers& transfers, ICancelRequest& cancel,
                          const RetryPolicy& policy) {
  ProductManifest& manifest = inputs.manifest;
  if (!manifest.standalone && !manifest.versionCheckUrl.empty()) {
    // Read from what arrives, never from a file: nothing left on disk by
    // anyone can stand in for the server's answer.
    StringSink received(static_cast<size_t>(kMaxVersionFileBytes));
    const TransferResult result =
        transfers.DownloadToStream(manifest.versionCheckUrl, received, cancel, policy);
    if (!result.ok() || !ReadVersionText(received.text, manifest)) {
      return StepResult::FailedTransfer(FailureCause::DownloadFailed, u"version.xml", result,
                                        WithoutCredentials(manifest.versionCheckUrl));
    }
  }
  const VersionCheckResult result =
      CompareVersions(manifest, inputs.installedVersion, inputs.productInstalled);
  LogLine(u"Re-check. " + VersionDecisionLogEntry(manifest, inputs.installedVersion,
                                                  inputs.productInstalled, result));
  switch (result) {
    case VersionCheckResult::UpToDate:
      return StepResult::Passed();
    case VersionCheckResult::AlreadyInstalled:
      return StepResult::Failed(FailureCause::AlreadyInstalled);
    case VersionCheckResult::ClientTooOld:
      return StepResult::Failed(FailureCause::InstallerTooOld);
    default:
      return StepResult::Failed(FailureCause::None);
  }
}

}  // namespace vwi
