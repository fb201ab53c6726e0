// The installer's HTTP transfers as the rest of the program uses them: the
// size query, a download into a file this run made, and a download into
// memory. Each ends with a typed result. The platform's own go through
// WinINet; tests put doubles in their place.
#pragma once

#include <string>

#include "download/download_status.h"
#include "download/transfer_options.h"
#include "download/transfer_result.h"
#include "platform/byte_sink.h"
#include "platform/held_folder.h"

namespace vwi {

class ITransfers {
 public:
  virtual ~ITransfers() = default;
  // The size the server announces for `url` without sending the body. A
  // query that fails for a passing reason is asked again as the policy says;
  // `waits` (when given) hears the seconds left of each wait.
  virtual SizeResult QuerySize(const std::u16string& url, ICancelRequest& cancel,
                               IDownloadCallback* waits, const RetryPolicy& policy) = 0;
  // Downloads `url` into `file`, reporting each chunk and a final record
  // through `progress`. Complete only when the server answered 2xx and
  // exactly the announced bytes are on disk, and no cancel was requested.
  virtual TransferResult DownloadToFile(const std::u16string& url, INewFile& file,
                                        IDownloadCallback& progress, const TransferOptions& options,
                                        ICancelRequest& cancel) = 0;
  // Downloads `url` into `out` from the start (again on each try); pauses
  // are not observed.
  virtual TransferResult DownloadToStream(const std::u16string& url, IByteSink& out,
                                          ICancelRequest& cancel, const RetryPolicy& policy) = 0;
};

// The platform's transfers (natively: none can reach a server).
ITransfers& SystemTransfers();

// A request that is never cancelled and never paused.
class NeverCancelled final : public ICancelRequest {
 public:
  bool IsCancelled() const override { return false; }
  bool IsPaused() const override { return false; }
};

}  // namespace vwi
