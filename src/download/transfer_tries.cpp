#include "download/transfer_tries.h"

#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/web_address.h"

namespace vwi {

TransferResult RunTries(ITransferTries& tries, std::u16string_view url, const RetryPolicy& policy) {
  uint64_t offset = 0;
  for (int retries = 0;; ++retries) {
    const TryResult result = tries.Try(offset);
    if (result.outcome.ok()) return result.outcome;
    // A digest is checked by the caller, after the whole transfer.
    const RetryDecision decision = DecideRetry(retries, result.outcome, true, policy);
    if (!decision.retry) return result.outcome;
    offset = result.kept;
    LogLine(RetryLogEntry(url, retries + 1, result.outcome, offset, decision.waitMilliseconds,
                          policy.maxRetries));
    if (!tries.WaitToRetry(decision.waitMilliseconds)) {
      TransferResult cancelled;
      cancelled.failure = TransferFailure::Cancelled;
      return cancelled;
    }
  }
}

std::u16string RetryLogEntry(std::u16string_view url, int retry, const TransferResult& failed,
                             uint64_t offset, uint32_t waitMilliseconds, int maxRetries) {
  std::u16string entry = u"Retry " + DecimalText(static_cast<int64_t>(retry)) + u" of " +
                         DecimalText(static_cast<int64_t>(maxRetries)) + u" for " +
                         WithoutCredentials(url) + u" after " + TransferResultText(failed) + u": ";
  entry +=
      offset > 0 ? u"from byte " + DecimalText(static_cast<int64_t>(offset)) : u"from the start";
  entry += u" in " + DecimalText(static_cast<int64_t>(waitMilliseconds / 1000)) + u" s";
  return entry;
}

}  // namespace vwi
