#include "download/win/size_query.h"

#include <memory>

#include "download/transfer_tries.h"
#include "download/win/http_request.h"

namespace vwi {
namespace {

// Whether a failed HEAD ends the query: the GET would meet the same.
bool EndsTheQuery(const TransferResult& result) {
  switch (result.failure) {
    case TransferFailure::NoConnection:
    case TransferFailure::NameNotResolved:
    case TransferFailure::TimedOut:
    case TransferFailure::Stalled:
    case TransferFailure::Cancelled:
    case TransferFailure::CertificateRefused:
    case TransferFailure::BadAddress:
      return true;
    default:
      return false;
  }
}

// A success answer's length as the query's answer: none, or 0, is nothing
// to download.
SizeResult SizeOf(int64_t length) {
  SizeResult answer{{}, length < 0 ? 0 : length};
  if (answer.size == 0) answer.result.failure = TransferFailure::Empty;
  return answer;
}

// HEAD, which moves no body. Nothing when its answer is not definite and the
// GET is to be asked; a failure when the server cannot be reached or the
// query was given up.
std::optional<SizeResult> AskHead(const std::u16string& url, WatchedCalls& calls) {
  LoggedRequest logged(u"size query HEAD", url);
  auto open = std::make_shared<OpenRequest>();
  const TransferResult sent =
      OpenAndSend(url, RequestKind::SizeQuery, nullptr, open, calls, L"HEAD");
  if (!sent.ok()) {
    logged.End(sent);
    if (!EndsTheQuery(sent)) return std::nullopt;
    return SizeResult{sent, 0};
  }
  const std::optional<DWORD> status = StatusCode(open->request.get());
  logged.record.status = status;
  // A proxy that wants a password wants it for the GET too.
  if (status == 407u) return SizeResult{logged.End(RefusedBy(open->request.get(), 407)), 0};
  const std::optional<int64_t> length = AnnouncedLength(open->request.get());
  if (!status || !IsDefiniteHeadAnswer(*status, length)) return std::nullopt;
  logged.record.bytes = static_cast<uint64_t>(*length);
  logged.End({});
  return SizeResult{{}, *length};
}

// The GET whose body is never read, for servers that do not answer HEAD.
SizeResult AskGet(const std::u16string& url, WatchedCalls& calls) {
  LoggedRequest logged(u"size query", url);
  auto open = std::make_shared<OpenRequest>();
  const TransferResult sent = OpenAndSend(url, RequestKind::SizeQuery, nullptr, open, calls);
  if (!sent.ok()) return {logged.End(sent), 0};
  const std::optional<DWORD> status = StatusCode(open->request.get());
  logged.record.status = status;
  if (!HasAnswer(status)) {
    TransferResult dropped;
    dropped.failure = TransferFailure::Dropped;
    return {logged.End(dropped), 0};
  }
  if (*status == 407 || !IsAcceptedSizeStatus(*status)) {
    return {logged.End(RefusedBy(open->request.get(), *status)), 0};
  }
  const int64_t length = ContentLength(open->request.get());
  logged.record.bytes = length < 0 ? 0 : static_cast<uint64_t>(length);
  logged.End({});
  return SizeOf(length);
}

class SizeTries final : public ITransferTries {
 public:
  SizeTries(const std::u16string& url, ICancelRequest& cancel, IDownloadCallback* waits,
            const RetryPolicy& policy)
      : url_(url), cancel_(cancel), waits_(waits), policy_(policy) {}
  TryResult Try(uint64_t) override {
    WatchedCalls calls(cancel_, policy_);
    std::optional<SizeResult> head = AskHead(url_, calls);
    answer = head ? *head : AskGet(url_, calls);
    // An empty answer is an answer: no other try would change it.
    return {answer.result.failure == TransferFailure::Empty ? TransferResult{} : answer.result, 0};
  }
  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds, WaitReporter(waits_, {}), *policy_.clock);
  }

  SizeResult answer;

 private:
  const std::u16string& url_;
  ICancelRequest& cancel_;
  IDownloadCallback* waits_;
  const RetryPolicy& policy_;
};

}  // namespace

SizeResult QueryRemoteFileSize(const std::u16string& url, ICancelRequest& cancel,
                               IDownloadCallback* waits, const RetryPolicy& policy) {
  SizeTries tries(url, cancel, waits, policy);
  const TransferResult end = RunTries(tries, url, policy);
  if (!end.ok()) return {end, 0};
  if (tries.answer.result.ok() && tries.answer.size == 0) return SizeOf(0);
  return tries.answer;
}

}  // namespace vwi
