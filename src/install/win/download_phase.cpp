#include "install/win/download_phase.h"

#include <windows.h>

#include <exception>

#include "download/payload_check.h"
#include "download/win/cancel_request.h"
#include "download/win/http_transfer.h"
#include "install/install_items.h"
#include "localisation/ui_text_format.h"
#include "platform/run_log.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "validation/version_check.h"

namespace vwi {

namespace {

void Report(CDownloadJob& job, DownloadStatusInfo& info, DownloadState state) {
  info.state = state;
  job.OnDownloadStatus(info);
}

StepResult TransferJob(CDownloadJob& job, CancelRequest& cancel, DownloadStatusInfo& info,
                       const DownloadChecks& checks) {
  const StepResult failed = StepResult::Failed(FailureCause::DownloadFailed);
  Report(job, info, DownloadState::Downloading);
  const std::u16string folder = FolderOf(job.localPath);
  if (checks.files->IsLink(folder)) {
    LogLine(u"Not downloaded: the work folder " + folder +
            u" is a link (a junction, symbolic link or mount point)");
    return failed;
  }
  const int64_t size = QueryRemoteFileSize(job.url, cancel, &job);
  job.fileSize = size;
  if (size == 0) return failed;
  if (!EnsureFreeSpace(checks, folder, static_cast<uint64_t>(size))) {
    return StepResult::Failed(FailureCause::DiskSpace);
  }
  info.received = 0;
  info.total = static_cast<uint64_t>(size);
  // A file left under the name (a stale download, or a link planted there)
  // goes first; a new one is then made, so nothing is written through a link.
  DeleteFileW(Wide(job.localPath));
  UniqueFile file(CreateFileW(Wide(job.localPath), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr));
  if (!file) return failed;
  TransferOptions options;
  options.size = static_cast<uint64_t>(size);
  return DownloadToFile(cancel, job.url, file.get(), job, options) ? StepResult::Passed() : failed;
}

// Why a package was refused, for the run's failure and the log.
StepResult Refusal(const InstallItem& item, PayloadVerdict verdict) {
  if (verdict == PayloadVerdict::Link) {
    LogLine(u"Item " + item.name + u": refused, its file or folder is a link");
  } else if (verdict == PayloadVerdict::NotHeld) {
    LogLine(u"Item " + item.name + u": refused, its file could not be held against changes");
  }
  return StepResult::Failed(
      IsIntegrityFailure(verdict) ? FailureCause::PayloadIntegrity : FailureCause::DownloadFailed,
      item.name);
}

// A package is held from its check to its use. One that fails its digest,
// or cannot be held (a link, or open elsewhere for writing), fails the run
// like a failed download.
StepResult CheckPayload(const InstallItem& item, const DownloadChecks& checks) {
  const PayloadVerdict verdict =
      VerifyPayload(item.sha256, item.localPath, *checks.files, checks.held);
  return IsAccepted(verdict) ? StepResult::Passed() : Refusal(item, verdict);
}

// A package whose name is fixed may still be in its folder from an earlier
// run; with the manifest's digest it is used (and held) as it is. Without a
// digest nothing is reused. A file that does not match is deleted.
bool ReusesEarlierDownload(const InstallItem& item, const DownloadChecks& checks) {
  if (!item.sha256 || !checks.files->FileSize(item.localPath)) return false;
  if (VerifyPayload(item.sha256, item.localPath, *checks.files, checks.held) !=
      PayloadVerdict::Matched) {
    return false;
  }
  LogLine(u"Item " + item.name + u": reused from an earlier download, its digest matches");
  return true;
}

// Downloads an item and checks it. A package that arrived whole but does
// not match its digest is fetched once more from the start.
StepResult FetchChecked(const InstallItem& item, DownloadControl& control, InstallStatus& status,
                        int32_t position, const DownloadChecks& checks) {
  auto progress = [&status, &item, position](const DownloadStatusInfo& info) {
    if (info.state == DownloadState::WaitingToRetry) {
      status.ReportRetryWait(info.retryInSeconds);
      return;
    }
    status.ReportStatus(InstallState::Downloading, position, DownloadPercent(info), item.name);
  };
  for (bool lastTry = false;; lastTry = true) {
    CDownloadJob job(item.url, item.localPath);
    const StepResult fetched = DownloadOne(job, &control, progress, checks);
    if (!fetched.passed) {
      LogLine(u"Item " + item.name + u": not downloaded (" +
              std::u16string(FailureCauseName(fetched.cause)) + u")");
      return fetched;
    }
    const PayloadVerdict verdict =
        VerifyPayload(item.sha256, item.localPath, *checks.files, checks.held);
    if (IsAccepted(verdict)) return StepResult::Passed();
    if (verdict == PayloadVerdict::Mismatched && !lastTry) {
      LogLine(u"Item " + item.name + u": its digest does not match; downloaded once more");
      continue;
    }
    LogLine(u"Item " + item.name + u": downloaded, but not accepted");
    return Refusal(item, verdict);
  }
}

}  // namespace

StepResult DownloadOne(CDownloadJob& job, DownloadControl* owner, CDownloadJob::Callback callback,
                       const DownloadChecks& checks) {
  const StepResult failed = StepResult::Failed(FailureCause::DownloadFailed);
  if (!owner) return failed;
  job.owner = owner;
  job.callback = std::move(callback);
  DownloadStatusInfo info;
  CancelRequest cancel(static_cast<HANDLE>(owner->cancelEvent),
                       static_cast<HANDLE>(owner->runEvent));
  if (cancel.IsCancelled()) {
    Report(job, info, DownloadState::Failed);
    return failed;
  }
  try {
    return TransferJob(job, cancel, info, checks);
  } catch (const std::exception&) {
    Report(job, info, DownloadState::Failed);
    return failed;
  }
}

StepResult DownloadItems(const std::vector<InstallItem>& items, DownloadControl& control,
                         InstallStatus& status, const DownloadChecks& checks) {
  int32_t downloaded = 0;
  for (const InstallItem& item : items) {
    if (control.cancelRequested) return StepResult::Stopped();
    if (!item.download) {
      // A package shipped beside the program is checked and held like a
      // downloaded one; a missing file is passed over later, as it always was.
      if (checks.files->FileSize(item.localPath) || checks.files->IsLink(item.localPath)) {
        StepResult checked = CheckPayload(item, checks);
        if (!checked.passed) return checked;
      }
      continue;
    }
    if (ReusesEarlierDownload(item, checks)) {
      status.ReportStatus(InstallState::Downloading, downloaded, 100, item.name);
      ++downloaded;
      continue;
    }
    StepResult fetched = FetchChecked(item, control, status, downloaded, checks);
    if (!fetched.passed) return fetched;
    LogLine(u"Item " + item.name + u": downloaded to " + item.localPath);
    ++downloaded;
  }
  return StepResult::Passed();
}

StepResult RecheckVersion(InstallerContext& context, const AppFlags& flags,
                          DownloadControl& control, ISystemServices& system, IMessageBox& box,
                          const RecheckTexts& texts, const DownloadChecks& checks) {
  ProductManifest& manifest = context.manifest;
  if (!manifest.standalone && !manifest.versionCheckUrl.empty()) {
    CDownloadJob job(manifest.versionCheckUrl,
                     ComponentPath(context, u"version.xml", system.TickCount()));
    // The version file moves no progress.
    const StepResult fetched = DownloadOne(
        job, &control, [](const DownloadStatusInfo&) {}, checks);
    if (!fetched.passed) return fetched;
    if (!ReadVersionFile(job.localPath, manifest)) {
      return StepResult::Failed(FailureCause::DownloadFailed);
    }
  }
  constexpr uint32_t kStyle = message_box::kOkCancel | message_box::kIconError;
  const bool installed = flags.productInstalled != 0;
  const VersionCheckResult result = CompareVersions(manifest, context.installedVersion, installed);
  LogLine(u"Re-check. " +
          VersionDecisionLogEntry(manifest, context.installedVersion, installed, result));
  switch (result) {
    case VersionCheckResult::UpToDate:
      return StepResult::Passed();
    case VersionCheckResult::AlreadyInstalled:
      box.Show(FormatTranslation(texts.installedAlready, IDS_ERR_INSTALLED_ALREADY,
                                 {manifest.shortName}),
               u"Windows Installer", kStyle);
      return StepResult::Failed(FailureCause::AlreadyInstalled);
    case VersionCheckResult::ClientTooOld:
      box.Show(texts.clientTooOld, u"Windows Installer", kStyle);
      return StepResult::Failed(FailureCause::InstallerTooOld);
    default:
      return StepResult::Failed(FailureCause::None);
  }
}

}  // namespace vwi
