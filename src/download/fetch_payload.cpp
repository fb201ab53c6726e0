#include "download/fetch_payload.h"

#include <optional>
#include <string_view>
#include <utility>

#include "download/web_page_answer.h"
#include "platform/run_log.h"
#include "platform/web_address.h"

namespace vwi {
namespace {

FetchResult Failed(FailureCause cause, TransferResult transfer = {}) {
  FetchResult result;
  result.cause = cause;
  result.transfer = transfer;
  return result;
}

void Report(CDownloadJob& job, DownloadState state) {
  DownloadStatusInfo info;
  info.state = state;
  job.OnDownloadStatus(info);
}

// Whether a held download begins as a web page does: a network's sign-in
// page answered in its place (files that are never HTML are asked for here).
bool BeginsAsWebPage(IHeldFile& file) {
  char first[kWebPageSniffBytes];
  const std::optional<size_t> read = file.ReadAt(0, first, sizeof first);
  return read && LooksLikeWebPage(std::string_view(first, *read));
}

// One try of the whole: a new file, the transfer, the hold.
FetchResult FetchOnce(CDownloadJob& job, const FetchTarget& target, ITransfers& transfers,
                      const DownloadChecks& checks, ICancelRequest& cancel,
                      const TransferOptions& options) {
  Report(job, DownloadState::Downloading);
  const SizeResult size = transfers.QuerySize(job.url, cancel, &job, options.retry);
  if (!size.result.ok()) return Failed(FailureCause::DownloadFailed, size.result);
  job.fileSize = size.size;
  if (!EnsureFreeSpace(checks, target.folder.Path(), static_cast<uint64_t>(size.size))) {
    return Failed(FailureCause::DiskSpace);
  }
  // Whatever lies under the name (a stale download, or a link planted
  // there) goes first: nothing is ever written through it.
  target.folder.Remove(target.fileName);
  std::unique_ptr<INewFile> file = target.folder.MakeFile(target.fileName);
  if (!file) {
    LogLine(u"The file " + target.folder.Path() + std::u16string(target.fileName) +
            u" cannot be made");
    TransferResult notWritable;
    notWritable.failure = TransferFailure::NotWritable;
    return Failed(FailureCause::DownloadFailed, notWritable);
  }
  TransferOptions sized = options;
  sized.size = static_cast<uint64_t>(size.size);
  const TransferResult transferred = transfers.DownloadToFile(job.url, *file, job, sized, cancel);
  if (!transferred.ok()) return Failed(FailureCause::DownloadFailed, transferred);
  // Held from the moment the transfer ends, through the writer's own file.
  std::unique_ptr<IHeldFile> held = file->Hold();
  if (held && BeginsAsWebPage(*held)) {
    // Never kept, whatever its digest: the network's page is not the package.
    held.reset();
    file.reset();
    target.folder.Remove(target.fileName);
    LogLine(u"Item " + std::u16string(target.name) + u": " + WithoutCredentials(job.url) +
            u" answered with a web page instead of the download");
    TransferResult page;
    page.failure = TransferFailure::WebPage;
    return Failed(FailureCause::DownloadFailed, page);
  }
  const HoldRefusal refusal = held ? HoldRefusal::None : HoldRefusal::Busy;
  HeldPayloads accepted;
  FetchResult result;
  result.verdict = VerifyPayload(target.sha256, {std::move(held), refusal}, target.folder,
                                 target.fileName, &accepted);
  if (IsAccepted(result.verdict)) {
    result.file = std::move(accepted.front());
    return result;
  }
  result.cause = IsIntegrityFailure(result.verdict) ? FailureCause::PayloadIntegrity
                                                    : FailureCause::DownloadFailed;
  return result;
}

}  // namespace

FetchResult FetchPayload(CDownloadJob& job, const FetchTarget& target, ITransfers& transfers,
                         const DownloadChecks& checks, ICancelRequest& cancel,
                         const TransferOptions& options) {
  if (cancel.IsCancelled()) {
    Report(job, DownloadState::Failed);
    TransferResult cancelled;
    cancelled.failure = TransferFailure::Cancelled;
    return Failed(FailureCause::DownloadFailed, cancelled);
  }
  FetchResult result = FetchOnce(job, target, transfers, checks, cancel, options);
  if (result.verdict == PayloadVerdict::Mismatched) {
    LogLine(u"Item " + std::u16string(target.name) +
            u": its digest does not match; downloaded once more");
    result = FetchOnce(job, target, transfers, checks, cancel, options);
  }
  return result;
}

}  // namespace vwi
