// One file download of the installation: the source, the target and where
// its progress goes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "download/download_status.h"

namespace vwi {

class CDownloadJob : public IDownloadCallback {
 public:
  using Callback = std::function<void(const DownloadStatusInfo&)>;

  CDownloadJob(std::u16string url, std::u16string localPath)
      : url(std::move(url)), localPath(std::move(localPath)) {}

  // Passes the record on to the callback, with the server's size as total
  // once it is known, and never fewer bytes received than it passed before.
  void OnDownloadStatus(const DownloadStatusInfo& info) override;

  std::u16string url;
  std::u16string localPath;
  int64_t fileSize = 0;  // the size the server reported, 0 until known
  Callback callback;

 private:
  uint64_t shownReceived_ = 0;
};

// The percentage a progress record stands for: received * 100 / total in
// unsigned 64-bit arithmetic, 0 when the total is unknown.
int32_t DownloadPercent(const DownloadStatusInfo& info);

}  // namespace vwi
