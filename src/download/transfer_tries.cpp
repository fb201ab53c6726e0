#include "download/transfer_tries.h"

#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {

TryOutcome RunTries(ITransferTries& tries, std::u16string_view url) {
  uint64_t offset = 0;
  for (int retries = 0;; ++retries) {
    const TryResult result = tries.Try(offset);
    if (result.outcome.failure == TryFailure::None) return result.outcome;
    // A digest is checked by the caller, after the whole transfer.
    const RetryDecision decision = DecideRetry(retries, result.outcome, true);
    if (!decision.retry) return result.outcome;
    offset = result.kept;
    LogLine(RetryLogEntry(url, retries + 1, result.outcome, offset, decision.waitMilliseconds));
    if (!tries.WaitToRetry(decision.waitMilliseconds)) return {TryFailure::Cancelled};
  }
}

std::u16string TryFailureText(const TryOutcome& outcome) {
  switch (outcome.failure) {
    case TryFailure::None:
      return u"no failure";
    case TryFailure::CouldNotConnect:
      return u"no connection";
    case TryFailure::Dropped:
      return u"connection dropped";
    case TryFailure::TimedOut:
      return u"timed out";
    case TryFailure::Stalled:
      return u"stalled";
    case TryFailure::Status:
      return u"status " + DecimalText(static_cast<int64_t>(outcome.status));
    case TryFailure::DigestMismatch:
      return u"digest mismatch";
    case TryFailure::DiskFull:
      return u"disk full";
    case TryFailure::Cancelled:
      return u"cancelled";
    case TryFailure::Other:
      break;
  }
  return u"failed";
}

std::u16string RetryLogEntry(std::u16string_view url, int retry, const TryOutcome& failed,
                             uint64_t offset, uint32_t waitMilliseconds) {
  std::u16string entry = u"Retry " + DecimalText(static_cast<int64_t>(retry)) + u" of " +
                         DecimalText(static_cast<int64_t>(kMaxRetries)) + u" for " +
                         std::u16string(url) + u" after " + TryFailureText(failed) + u": ";
  entry +=
      offset > 0 ? u"from byte " + DecimalText(static_cast<int64_t>(offset)) : u"from the start";
  entry += u" in " + DecimalText(static_cast<int64_t>(waitMilliseconds / 1000)) + u" s";
  return entry;
}

}  // namespace vwi
