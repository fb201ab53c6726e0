#include "download/transfer_tries.h"

#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/web_address.h"

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
  if (outcome.failure == TryFailure::Status) {
    return u"status " + DecimalText(static_cast<int64_t>(outcome.status));
  }
  constexpr std::u16string_view kTexts[] = {
      u"no failure", u"no connection",   u"connection dropped", u"timed out", u"stalled",
      u"status",     u"digest mismatch", u"disk full",          u"cancelled", u"failed"};
  static_assert(std::size(kTexts) == static_cast<size_t>(TryFailure::Other) + 1);
  return std::u16string(NameIn(kTexts, outcome.failure));
}

std::u16string RetryLogEntry(std::u16string_view url, int retry, const TryOutcome& failed,
                             uint64_t offset, uint32_t waitMilliseconds) {
  std::u16string entry = u"Retry " + DecimalText(static_cast<int64_t>(retry)) + u" of " +
                         DecimalText(static_cast<int64_t>(kMaxRetries)) + u" for " +
                         WithoutCredentials(url) + u" after " + TryFailureText(failed) + u": ";
  entry +=
      offset > 0 ? u"from byte " + DecimalText(static_cast<int64_t>(offset)) : u"from the start";
  entry += u" in " + DecimalText(static_cast<int64_t>(waitMilliseconds / 1000)) + u" s";
  return entry;
}

}  // namespace vwi
