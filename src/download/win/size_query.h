// The size the server announces for a download, asked without the body.
#pragma once

#include <string>

#include "download/download_status.h"
#include "download/retry_rule.h"
#include "download/transfer_result.h"

namespace vwi {

// The size the server announces for `url` (its Content-Length), without
// reading the body. Refused by status 403, 404, below 200 or above 500; a
// success without a length gives the failure Empty (so does a length of 0:
// there is nothing to download). A query that fails for a passing reason (no
// connection, a busy server) is asked again as `policy` says; the waits end
// early on `cancel`, and `waits` (when given) hears their seconds left in
// WaitingToRetry records.
SizeResult QueryRemoteFileSize(const std::u16string& url, ICancelRequest& cancel,
                               IDownloadCallback* waits = nullptr, const RetryPolicy& policy = {});

}  // namespace vwi
