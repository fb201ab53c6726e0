#include "download/download_job.h"

namespace vwi {

void CDownloadJob::OnDownloadStatus(const DownloadStatusInfo& info) {
  if (!callback) return;
  DownloadStatusInfo shown = info;
  // A try that starts over counts from 0 again; what is shown stays where
  // it was until the new try passes it.
  if (shown.received < shownReceived_) shown.received = shownReceived_;
  shownReceived_ = shown.received;
  if (fileSize != 0) shown.total = static_cast<uint64_t>(fileSize);
  callback(shown);
}

int32_t DownloadPercent(const DownloadStatusInfo& info) {
  if (info.total == 0) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(info.received * 100 / info.total));
}

}  // namespace vwi
