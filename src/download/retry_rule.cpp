#include "download/retry_rule.h"

#include <cstdint>

namespace vwi {
namespace {

// Digits only, no sign, no overflow; nothing for anything else.
std::optional<uint64_t> Digits(std::u16string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  uint64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - u'0');
  }
  return value;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

// A value the server sent that can go back into a request header as it is:
// printable ASCII only, and not so long that the request would be refused.
bool IsHeaderSafe(std::u16string_view value) {
  if (value.size() > 256) return false;
  for (const char16_t c : value) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

}  // namespace

bool IsTransient(const TransferResult& outcome) {
  switch (outcome.failure) {
    case TransferFailure::NoConnection:
    case TransferFailure::NameNotResolved:
    case TransferFailure::Dropped:
    case TransferFailure::TimedOut:
    case TransferFailure::Stalled:
      return true;
    case TransferFailure::Status:
      switch (outcome.status) {
        case 408:
        case 429:
        case 500:
        case 502:
        case 503:
        case 504:
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

RetryDecision DecideRetry(int retriesUsed, const TransferResult& outcome, bool digestRetried,
                          const RetryPolicy& policy) {
  if (outcome.failure == TransferFailure::DigestMismatch) {
    return {!digestRetried, 0, true};
  }
  if (!IsTransient(outcome) || retriesUsed >= policy.maxRetries) return {};
  uint32_t wait = policy.firstWaitMilliseconds << retriesUsed;  // 1, 2, 4 seconds
  if (outcome.retryAfterSeconds) {
    const uint32_t asked = *outcome.retryAfterSeconds < policy.maxRetryAfterSeconds
                               ? *outcome.retryAfterSeconds
                               : policy.maxRetryAfterSeconds;
    wait = asked * 1000;
  }
  return {true, wait, false};
}

std::optional<uint32_t> ParseRetryAfter(std::u16string_view text) {
  const std::optional<uint64_t> seconds = Digits(Trimmed(text));
  if (!seconds) return std::nullopt;
  return *seconds > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(*seconds);
}

std::optional<ContentRange> ParseContentRange(std::u16string_view text) {
  text = Trimmed(text);
  constexpr std::u16string_view kUnit = u"bytes ";
  if (text.substr(0, kUnit.size()) != kUnit) return std::nullopt;
  text.remove_prefix(kUnit.size());
  const size_t dash = text.find(u'-'), slash = text.find(u'/');
  if (dash == std::u16string_view::npos || slash == std::u16string_view::npos || slash < dash) {
    return std::nullopt;
  }
  const std::optional<uint64_t> first = Digits(text.substr(0, dash));
  const std::optional<uint64_t> last = Digits(text.substr(dash + 1, slash - dash - 1));
  if (!first || !last || *last < *first) return std::nullopt;
  ContentRange range{*first, *last, std::nullopt};
  const std::u16string_view total = text.substr(slash + 1);
  if (total != u"*") {
    range.total = Digits(total);
    if (!range.total || *range.total <= *last) return std::nullopt;
  }
  return range;
}

ResumeAnswer JudgeResumeAnswer(uint32_t status, std::optional<ContentRange> range, uint64_t offset,
                               uint64_t size) {
  if (status == 200) return ResumeAnswer::StartOver;
  if (status != 206 || !range || range->first != offset) return ResumeAnswer::Failed;
  // The rest of the same file: it must end where the file was announced to.
  if (size != 0 && ((range->total && *range->total != size) || range->last + 1 != size)) {
    return ResumeAnswer::Failed;
  }
  return ResumeAnswer::Append;
}

std::optional<int64_t> BodyEnd(uint64_t start, int64_t contentLength, uint64_t size) {
  constexpr auto kMax = static_cast<uint64_t>(INT64_MAX);
  if (contentLength < 0) {
    if (size == 0) return -1;
    return size <= kMax ? std::optional<int64_t>(static_cast<int64_t>(size)) : std::nullopt;
  }
  const auto length = static_cast<uint64_t>(contentLength);
  if (start > kMax - length) return std::nullopt;
  const uint64_t end = start + length;
  if (size != 0 && end != size) return std::nullopt;
  return static_cast<int64_t>(end);
}

std::optional<std::u16string_view> ResumeValidator(std::u16string_view etag,
                                                   std::u16string_view lastModified) {
  etag = Trimmed(etag);
  lastModified = Trimmed(lastModified);
  if (etag.size() >= 2 && etag.front() == u'"' && etag.back() == u'"' && IsHeaderSafe(etag)) {
    return etag;
  }
  if (!lastModified.empty() && IsHeaderSafe(lastModified)) return lastModified;
  return std::nullopt;
}

}  // namespace vwi
