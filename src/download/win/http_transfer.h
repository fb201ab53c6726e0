// The installer's HTTP client: blocking GET requests through the
// process-wide session, on the calling thread.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <optional>
#include <string>

#include "download/download_status.h"
#include "platform/byte_sink.h"
#include "platform/held_folder.h"

namespace vwi {

// A URL cut into the parts the HTTP stack needs; nothing is decoded.
struct UrlParts {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring user;
  std::wstring password;
  std::wstring path;
  std::wstring extra;  // the query part, appended to the path in requests
};

// Nothing when the URL is malformed or a part exceeds 4,096 units.
std::optional<UrlParts> SplitUrl(const std::u16string& url);

// The size the server announces for `url` (its Content-Length), without
// reading the body; 0 on any failure, on status 403, 404, below 200 or
// above 500, and when no length is announced. A query that fails for a
// passing reason (no connection, a busy server) is asked again, up to three
// more times; the waits end early on `cancel`, and `waits` (when given) hears
// their seconds left in WaitingToRetry records.
int64_t QueryRemoteFileSize(const std::u16string& url, ICancelRequest& cancel,
                            IDownloadCallback* waits = nullptr);
int64_t QueryRemoteFileSize(const std::u16string& url);

struct TransferOptions {
  // Flush each batch to disk before gathering the next, so a crash never
  // leaves more than one batch unwritten. Off only to measure what it costs.
  bool flushEachBatch = true;
  // The size the server announced; with it, a dropped transfer can go on
  // from the bytes on disk. 0 when unknown.
  uint64_t size = 0;
};

// Downloads `url` into `file` (made new by the caller), writing at offsets
// from 0 under the transfer lock. A try that fails for a passing reason (the network, a busy
// server) is made again, up to three more times, asking for the rest when the server can give it.
// Reports each chunk and a final record (Finished, or Cancelled 500 ms after the cancel) through
// `callback`. True only when the server answered 2xx and the whole body (as long as announced) is
// on disk, and no cancel was requested.
bool DownloadToFile(ICancelRequest& cancel, const std::u16string& url, INewFile& file,
                    IDownloadCallback& callback, const TransferOptions& options = {});

// Downloads `url` into `out`. True only when the server answered 2xx, the
// whole body was written to `out` and no cancel was requested; pauses
// are not observed. A try that fails for a passing reason is made again
// from the start (`out` restarted), up to three more times.
bool DownloadToStream(ICancelRequest& cancel, const std::u16string& url, IByteSink& out);

}  // namespace vwi
