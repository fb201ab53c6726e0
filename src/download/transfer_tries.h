// The tries of one transfer: a try that failed for a reason worth another is
// made again after its wait, continuing from the bytes kept when the server
// can be asked for the rest, and each retry is written into the run's log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "download/retry_rule.h"

namespace vwi {

struct TryResult {
  TransferResult outcome;  // failure None: the transfer is complete
  uint64_t kept = 0;       // bytes a resumed request may continue after; 0: start over
};

class ITransferTries {
 public:
  virtual ~ITransferTries() = default;
  // One request; an `offset` above 0 asks for the bytes from there on.
  virtual TryResult Try(uint64_t offset) = 0;
  // Waits before the next try; false when the transfer was cancelled meanwhile.
  virtual bool WaitToRetry(uint32_t milliseconds) = 0;
};

// Tries until one succeeds, a failure is not worth another try, the retries
// the policy allows are used up or a wait is cancelled; returns the last
// try's outcome.
TransferResult RunTries(ITransferTries& tries, std::u16string_view url,
                        const RetryPolicy& policy = {});

// The log line of a retry: "Retry 2 of 3 for URL after connection dropped:
// from byte 262144 in 1 s" ("from the start" when nothing is kept). The
// address is written without the user name and password it may carry.
std::u16string RetryLogEntry(std::u16string_view url, int retry, const TransferResult& failed,
                             uint64_t offset, uint32_t waitMilliseconds,
                             int maxRetries = kMaxRetries);

}  // namespace vwi
