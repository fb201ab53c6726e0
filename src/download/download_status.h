// What a transfer reports and what it obeys: the progress record and its
// callback, and the cancel/pause request it polls.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

enum class DownloadState : int32_t {
  None = 0,         // a new record
  Downloading = 2,  // bytes arrived
  Finished = 3,     // the transfer ended; `error` tells whether it ended well
  Cancelled = 4,
  Failed = 5,          // set by the download job only
  WaitingToRetry = 6,  // a failed try waits `retryInSeconds` before the next
};

struct DownloadStatusInfo {
  DownloadState state = DownloadState::None;
  uint64_t received = 0;        // bytes received so far in this transfer
  uint64_t total = 0;           // expected size; 0 = unknown (filled in by the job)
  uint32_t error = 0;           // platform error code of the failure, 0 = none
  std::u16string message;       // short English text naming the failed step
  uint32_t retryInSeconds = 0;  // with WaitingToRetry
};

class IDownloadCallback {
 public:
  virtual ~IDownloadCallback() = default;
  // Called on the transfer's thread; must not block for long.
  virtual void OnDownloadStatus(const DownloadStatusInfo& info) = 0;
};

class ICancelRequest {
 public:
  virtual ~ICancelRequest() = default;
  // The transfer must end as soon as possible.
  virtual bool IsCancelled() const = 0;
  // The transfer must not read for now.
  virtual bool IsPaused() const = 0;
};

}  // namespace vwi
