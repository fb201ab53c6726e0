// The read loop of a file download, apart from the HTTP stack and the file:
// chunked reads, batched writes, pause and cancel, and the checks that keep
// a broken transfer from passing for a complete one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "download/download_status.h"

namespace vwi {

inline constexpr uint32_t kChunkSize = 4096;
inline constexpr uint32_t kBatchSize = 40960;

// Where the bytes come from (the response body).
class IBodySource {
 public:
  virtual ~IBodySource() = default;
  // How many bytes can be read now; 0 when the response is complete.
  virtual bool QueryAvailable(uint32_t& available) = 0;
  virtual bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) = 0;
  // The platform error code of the last failed call.
  virtual uint32_t LastError() = 0;
};

// Where they go (the local file): each call writes one batch at an offset
// from the start.
class IBatchSink {
 public:
  virtual ~IBatchSink() = default;
  virtual bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) = 0;
  virtual uint32_t LastError() = 0;
};

enum class LoopEnd {
  Complete,     // every announced byte arrived and is written
  Cancelled,    // a cancel was seen; bytes still in the batch are dropped
  ReadFailed,   // the availability query or a read failed
  WriteFailed,  // a batch could not be written
  Truncated,    // the body ended before the announced length (or ran past it)
};

// A dropped connection with no error code of its own.
inline constexpr uint32_t kErrorConnectionAborted = 12030;

// Reads the body in chunks of at most 4,096 bytes, reports each chunk
// through `callback` (state Downloading, `info.received` advanced) and writes
// batches of up to 40,960 bytes at increasing offsets, from `info.received`
// on (0 for a whole body, the bytes kept for a resumed one). While paused it
// calls `waitWhilePaused` and reads nothing. `expectedLength` is what
// `info.received` must come to (the announced Content-Length, plus the bytes
// kept), or -1 when no length was announced. On a failure `info.error` and
// `info.message` name it.
LoopEnd RunReadLoop(ICancelRequest& cancel, IBodySource& source, IBatchSink& sink,
                    IDownloadCallback& callback, DownloadStatusInfo& info, int64_t expectedLength,
                    const std::function<void()>& waitWhilePaused);

}  // namespace vwi
