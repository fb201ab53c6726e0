#include "download/download_job.h"

namespace vwi {

void CDownloadJob::OnDownloadStatus(const DownloadStatusInfo& info) {
  if (!callback) return;
  if (fileSize == 0) {
    callback(info);
    return;
  }
  DownloadStatusInfo withTotal = info;
  withTotal.total = static_cast<uint64_t>(fileSize);
  callback(withTotal);
}

int32_t DownloadPercent(const DownloadStatusInfo& info) {
  if (info.total == 0) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(info.received * 100 / info.total));
}

}  // namespace vwi
