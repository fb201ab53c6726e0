// A download into memory or any other byte sink: the version file and,
// through the same interface, whatever needs no resume.
#pragma once

#include <string>

#include "download/download_status.h"
#include "download/retry_rule.h"
#include "download/transfer_result.h"
#include "platform/byte_sink.h"

namespace vwi {

// Downloads `url` into `out`. Complete only when the server answered 2xx,
// the whole body was written to `out` and no cancel was requested; pauses
// are not observed. A try that fails for a passing reason is made again from
// the start (`out` restarted) as `policy` says.
TransferResult DownloadToStream(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
                                const RetryPolicy& policy = {});

}  // namespace vwi
