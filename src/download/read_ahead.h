// A response body read ahead on a thread of its own: the thread waits on
// the network and keeps what arrives in a bounded buffer; the transfer takes
// the bytes from there. So the transfer never waits on the network itself:
// it sees a cancel at once and ends a try that hears nothing for the stall
// limit, even where a blocked socket read cannot be interrupted. A thread
// left blocked ends when its network stack lets it; it owns what it uses.
#pragma once

#include <cstdint>
#include <memory>

#include "download/read_loop.h"
#include "download/retry_rule.h"
#include "download/watched_calls.h"

namespace vwi {

inline constexpr uint32_t kReadAheadBytes = 256 * 1024;

class ReadAhead final : public IBodySource {
 public:
  // Reads `network` in pieces of at most `readSize` bytes, as far as
  // `kReadAheadBytes` ahead of the transfer.
  ReadAhead(std::shared_ptr<IBodySource> network, const ICancelRequest& cancel,
            uint32_t readSize = kChunkSize, const RetryPolicy& policy = {});
  ~ReadAhead() override;
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Waits until bytes are there, the body ended or failed (bytes that
  // arrived before are handed out first), a cancel is seen, or nothing
  // arrived for the stall limit (time paused not counted).
  bool QueryAvailable(uint32_t& available) override;
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override;
  uint32_t LastError() override { return error_; }

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  const ICancelRequest& cancel_;
  uint32_t stallLimit_;
  const IWaitClock& clock_;
  uint32_t error_ = 0;
};

}  // namespace vwi
