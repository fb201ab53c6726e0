#include "download/read_loop.h"

#include <vector>

namespace vwi {

namespace {

constexpr char16_t kReadFailed[] = u"Internet download file Failed";
constexpr char16_t kWriteFailed[] = u"Write data to local file failed.";

LoopEnd Fail(DownloadStatusInfo& info, LoopEnd end, uint32_t error, const char16_t* message) {
  info.error = error;
  info.message = message;
  return end;
}

class Batch {
 public:
  Batch(IBatchSink& sink, uint64_t offset) : sink_(sink), offset_(offset) {
    data_.reserve(kBatchSize);
  }
  void Append(const uint8_t* chunk, uint32_t size) {
    data_.insert(data_.end(), chunk, chunk + size);
  }
  size_t Fill() const { return data_.size(); }
  // Writes what is gathered at the current offset and starts a new batch.
  bool Write() {
    if (data_.empty()) return true;
    if (!sink_.WriteAt(offset_, data_.data(), data_.size())) return false;
    offset_ += data_.size();
    data_.clear();
    return true;
  }

 private:
  IBatchSink& sink_;
  std::vector<uint8_t> data_;
  uint64_t offset_;
};

}  // namespace

LoopEnd RunReadLoop(ICancelRequest& cancel, IBodySource& source, IBatchSink& sink,
                    IDownloadCallback& callback, DownloadStatusInfo& info, int64_t expectedLength,
                    const std::function<void()>& waitWhilePaused) {
  uint8_t chunk[kChunkSize];
  Batch batch(sink, info.received);
  for (;;) {
    uint32_t available = 0;
    const bool answered = source.QueryAvailable(available);
    // A wait given up on a cancel is the cancel, not a failed read.
    if (cancel.IsCancelled()) return LoopEnd::Cancelled;
    if (!answered) return Fail(info, LoopEnd::ReadFailed, source.LastError(), kReadFailed);
    if (cancel.IsPaused()) {
      if (waitWhilePaused) waitWhilePaused();
      continue;
    }
    if (available == 0) break;
    uint32_t read = 0;
    if (!source.Read(chunk, available < kChunkSize ? available : kChunkSize, read)) {
      return Fail(info, LoopEnd::ReadFailed, source.LastError(), kReadFailed);
    }
    // A successful read of nothing is the end of the body as well.
    if (read == 0) break;
    info.state = DownloadState::Downloading;
    info.received += read;
    callback.OnDownloadStatus(info);
    batch.Append(chunk, read);
    // Write when the batch cannot take another full chunk, or the body
    // arrives in short pieces (a slow connection, or the last bytes).
    if (batch.Fill() + kChunkSize > kBatchSize || read < kChunkSize) {
      if (!batch.Write()) return Fail(info, LoopEnd::WriteFailed, sink.LastError(), kWriteFailed);
    }
  }
  // A body that ends on a full chunk leaves its last bytes in the batch.
  if (!batch.Write()) return Fail(info, LoopEnd::WriteFailed, sink.LastError(), kWriteFailed);
  // A connection dropped mid-body looks like a complete response to the
  // reader: only the announced length tells them apart.
  if (expectedLength >= 0 && info.received != static_cast<uint64_t>(expectedLength)) {
    return Fail(info, LoopEnd::Truncated, kErrorConnectionAborted, kReadFailed);
  }
  return LoopEnd::Complete;
}

}  // namespace vwi
