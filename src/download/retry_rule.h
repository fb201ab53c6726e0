// When a failed transfer is tried again, after how long, and how an answer
// to a resumed request (Range) continues the bytes already on disk. Kept
// apart from the HTTP stack so the rules can be checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "download/transfer_result.h"
#include "download/wait_clock.h"

namespace vwi {

inline constexpr int kMaxRetries = 3;
inline constexpr uint32_t kMaxRetryAfterSeconds = 30;
inline constexpr uint32_t kStallLimitMilliseconds = 30000;

// How often a failed transfer is tried again, how long it waits between, how
// long it may hear nothing before a try is given up, and the clock all of
// that is counted on. The defaults are what the program ships with; tests
// pass shorter limits or a faster clock.
struct RetryPolicy {
  int maxRetries = kMaxRetries;
  uint32_t firstWaitMilliseconds = 1000;                  // doubled for each further retry
  uint32_t maxRetryAfterSeconds = kMaxRetryAfterSeconds;  // the most a Retry-After is obeyed
  uint32_t stallLimitMilliseconds = kStallLimitMilliseconds;
  const IWaitClock* clock = &SteadyWaitClock();
};

// Busy, overloaded or briefly unavailable servers, and every way the network
// can lose a transfer; never another 4xx, a full disk or a cancel.
bool IsTransient(const TransferResult& outcome);

struct RetryDecision {
  bool retry = false;
  uint32_t waitMilliseconds = 0;
  bool fromScratch = false;  // the bytes on disk are dropped (digest mismatch)
};

// After the try numbered `retriesUsed` (0 for the first) failed as
// `outcome`: with the default policy up to three more tries after about 1, 2
// and 4 seconds, or the server's Retry-After when it gives one (at most
// 30 s). A package that arrived whole but is not the package is fetched once
// more from scratch; `digestRetried` says whether that was done already.
RetryDecision DecideRetry(int retriesUsed, const TransferResult& outcome, bool digestRetried,
                          const RetryPolicy& policy = {});

// A Retry-After value in seconds: delta-seconds only (a date is treated as
// absent, and the ordinary wait applies).
std::optional<uint32_t> ParseRetryAfter(std::u16string_view text);

struct ContentRange {
  uint64_t first = 0;
  uint64_t last = 0;
  std::optional<uint64_t> total;  // "*" when the server does not say
};

// "bytes FIRST-LAST/TOTAL" (TOTAL may be "*"); nothing for any other text.
std::optional<ContentRange> ParseContentRange(std::u16string_view text);

enum class ResumeAnswer {
  Append,     // 206 continuing exactly at the offset asked for
  StartOver,  // 200: the whole body again, written from offset 0
  Failed,     // anything else counts as a failed try
};

// The server's answer to a request for the bytes from `offset` on, of a file
// whose whole size is `size` (0 when unknown).
ResumeAnswer JudgeResumeAnswer(uint32_t status, std::optional<ContentRange> range, uint64_t offset,
                               uint64_t size);

// Where the body of an answer must end for the file to be whole, counted
// from the file's start: the body begins at `start` (0, or the offset a
// resumed answer continues at) and announces `contentLength` bytes (-1 when
// it announces none). With the file's announced size (`size`, 0 when
// unknown) the end must be exactly that size. Nothing when the answer
// contradicts it: such a body is never written. -1 when nothing tells the
// end (the body's own end then decides).
std::optional<int64_t> BodyEnd(uint64_t start, int64_t contentLength, uint64_t size);

// The If-Range value from the first answer: its ETag when it is a strong
// one (If-Range allows no weak validator), else its Last-Modified; nothing
// when neither is there (then no range is asked for, the try starts over).
// A value that is not printable ASCII, or longer than 256, is never sent
// back: it counts as absent.
std::optional<std::u16string_view> ResumeValidator(std::u16string_view etag,
                                                   std::u16string_view lastModified);

}  // namespace vwi
