#include "install/win/download_phase.h"

#include <windows.h>

#include <exception>

#include "download/payload_check.h"
#include "download/win/cancel_request.h"
#include "download/win/http_transfer.h"
#include "install/install_items.h"
#include "localisation/ui_text_format.h"
#include "platform/run_log.h"
#include "validation/version_check.h"

namespace vwi {

namespace {

void Report(CDownloadJob& job, DownloadStatusInfo& info, DownloadState state) {
  info.state = state;
  job.OnDownloadStatus(info);
}

// The file `name` made anew in `folder`: whatever lies under the name (a
// stale download, or a link planted there) is removed first and never
// written through.
std::unique_ptr<INewFile> MakeTarget(IHeldFolder& folder, std::u16string_view name) {
  folder.Remove(name);
  return folder.MakeFile(name);
}

StepResult TransferJob(CDownloadJob& job, CancelRequest& cancel, DownloadStatusInfo& info,
                       const DownloadTarget& target) {
  const StepResult failed = StepResult::Failed(FailureCause::DownloadFailed);
  Report(job, info, DownloadState::Downloading);
  const int64_t size = QueryRemoteFileSize(job.url, cancel, &job);
  job.fileSize = size;
  if (size == 0) return failed;
  if (!EnsureFreeSpace(target.checks, target.folder.Path(), static_cast<uint64_t>(size))) {
    return StepResult::Failed(FailureCause::DiskSpace);
  }
  info.received = 0;
  info.total = static_cast<uint64_t>(size);
  std::unique_ptr<INewFile> file = MakeTarget(target.folder, target.fileName);
  if (!file) {
    LogLine(u"The file " + job.localPath + u" cannot be made");
    return failed;
  }
  TransferOptions options;
  options.size = static_cast<uint64_t>(size);
  if (!DownloadToFile(cancel, job.url, *file, job, options)) return failed;
  // Held from the moment the transfer ends, through the writer's own file.
  target.hold.file = file->Hold();
  target.hold.refusal = target.hold.file ? HoldRefusal::None : HoldRefusal::Busy;
  return StepResult::Passed();
}

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

// A copy of `source` as the new file `name` of `folder`, held from the end of
// the copy.
FileHold CopyInto(IHeldFile& source, IHeldFolder& folder, std::u16string_view name) {
  std::unique_ptr<INewFile> copy = MakeTarget(folder, name);
  if (!copy) return {nullptr, HoldRefusal::Busy};
  std::vector<uint8_t> buffer(1 << 16);
  for (uint64_t offset = 0;;) {
    const std::optional<size_t> read = source.ReadAt(offset, buffer.data(), buffer.size());
    if (!read || (*read > 0 && !copy->WriteAt(offset, buffer.data(), *read))) {
      copy.reset();
      folder.Remove(name);
      return {nullptr, HoldRefusal::Busy};
    }
    if (*read == 0) break;
    offset += *read;
  }
  std::unique_ptr<IHeldFile> held = copy->Hold();
  const HoldRefusal refusal = held ? HoldRefusal::None : HoldRefusal::Busy;
  return {std::move(held), refusal};
}

// A package shipped beside the program is checked and held like a downloaded
// one; a protected run first copies it into its own folder through the
// hold, and checks and uses the copy. A missing file is passed over later,
// as it always was.
StepResult CheckShipped(const InstallItem& item, const WorkFolders& folders,
                        const DownloadChecks& checks) {
  IHeldFolder* shipped = folders.Shipped(item.folder);
  IHeldFolder* work = folders.Folder(item.folder);
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
      VerifyPayload(item.sha256, std::move(source), *work, item.fileName, checks.held);
  return IsAccepted(verdict) ? StepResult::Passed() : Refusal(item, verdict);
}

// A package whose name is fixed may still be there from an earlier run; with
// the manifest's digest it is used (and held) as it is. Without a digest
// nothing is reused. A file that does not match is deleted.
bool ReusesEarlierDownload(const InstallItem& item, WorkFolders& folders,
                           const DownloadChecks& checks) {
  IHeldFolder* work = folders.Folder(item.folder);
  if (!item.sha256 || !work) return false;
  folders.BringBackKept(item.folder, item.fileName);
  FileHold earlier = work->HoldFile(item.fileName);
  if (earlier.refusal == HoldRefusal::Missing) return false;
  if (VerifyPayload(item.sha256, std::move(earlier), *work, item.fileName, checks.held) !=
      PayloadVerdict::Matched) {
    return false;
  }
  LogLine(u"Item " + item.name + u": reused from an earlier download, its digest matches");
  folders.KeepForReuse(item.folder, item.fileName);
  return true;
}

// Downloads an item and checks it. A package that arrived whole but does
// not match its digest is fetched once more from the start.
StepResult FetchChecked(const InstallItem& item, DownloadControl& control, InstallStatus& status,
                        int32_t position, const DownloadChecks& checks, WorkFolders& folders) {
  IHeldFolder* folder = folders.Folder(item.folder);
  if (!folder) return StepResult::Failed(FailureCause::DownloadFailed);
  auto progress = [&status, &item, position](const DownloadStatusInfo& info) {
    if (info.state == DownloadState::WaitingToRetry) {
      status.ReportRetryWait(info.retryInSeconds);
      return;
    }
    status.ReportStatus(InstallState::Downloading, position, DownloadPercent(info), item.name);
  };
  for (bool lastTry = false;; lastTry = true) {
    CDownloadJob job(item.url, item.localPath);
    FileHold hold;
    const StepResult fetched =
        DownloadOne(job, &control, progress, {checks, *folder, item.fileName, hold});
    if (!fetched.passed) {
      LogLine(u"Item " + item.name + u": not downloaded (" +
              std::u16string(FailureCauseName(fetched.cause)) + u")");
      return fetched;
    }
    const PayloadVerdict verdict =
        VerifyPayload(item.sha256, std::move(hold), *folder, item.fileName, checks.held);
    if (verdict == PayloadVerdict::Matched) folders.KeepForReuse(item.folder, item.fileName);
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
                       const DownloadTarget& target) {
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
    return TransferJob(job, cancel, info, target);
  } catch (const std::exception&) {
    Report(job, info, DownloadState::Failed);
    return failed;
  }
}

StepResult DownloadItems(const std::vector<InstallItem>& items, DownloadControl& control,
                         InstallStatus& status, WorkFolders& folders,
                         const DownloadChecks& checks) {
  int32_t downloaded = 0;
  for (const InstallItem& item : items) {
    if (control.cancelRequested) return StepResult::Stopped();
    if (!item.download) {
      StepResult checked = CheckShipped(item, folders, checks);
      if (!checked.passed) return checked;
      continue;
    }
    if (ReusesEarlierDownload(item, folders, checks)) {
      status.ReportStatus(InstallState::Downloading, downloaded, 100, item.name);
      ++downloaded;
      continue;
    }
    StepResult fetched = FetchChecked(item, control, status, downloaded, checks, folders);
    if (!fetched.passed) return fetched;
    LogLine(u"Item " + item.name + u": downloaded to " + item.localPath);
    ++downloaded;
  }
  return StepResult::Passed();
}

StepResult RecheckVersion(InstallerContext& context, const AppFlags& flags,
                          DownloadControl& control, IMessageBox& box, const RecheckTexts& texts) {
  ProductManifest& manifest = context.manifest;
  if (!manifest.standalone && !manifest.versionCheckUrl.empty()) {
    // Read from what arrives, never from a file: nothing left on disk by
    // anyone can stand in for the server's answer.
    CancelRequest cancel(static_cast<HANDLE>(control.cancelEvent),
                         static_cast<HANDLE>(control.runEvent));
    StringSink received(static_cast<size_t>(kMaxVersionFileBytes));
    if (!DownloadToStream(cancel, manifest.versionCheckUrl, received) ||
        !ReadVersionText(received.text, manifest)) {
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
