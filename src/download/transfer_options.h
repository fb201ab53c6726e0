// How one file transfer is made: the size the server announced (so a
// dropped transfer can go on from the bytes on disk), whether each batch is
// flushed, and the retry policy with its waits and stall limit.
#pragma once

#include <cstdint>

#include "download/retry_rule.h"

namespace vwi {

struct TransferOptions {
  // Flush each batch to disk before gathering the next, so a crash never
  // leaves more than one batch unwritten. Off only to measure what it costs.
  bool flushEachBatch = true;
  // The size the server announced; with it, a dropped transfer can go on
  // from the bytes on disk. 0 when unknown.
  uint64_t size = 0;
  RetryPolicy retry;
};

}  // namespace vwi
