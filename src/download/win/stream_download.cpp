#include "download/win/stream_download.h"

#include <memory>
#include <vector>

#include "download/read_ahead.h"
#include "download/transfer_tries.h"
#include "download/web_page_answer.h"
#include "download/win/http_request.h"

namespace vwi {
namespace {

constexpr DWORD kStreamBufferSize = 16384;

TransferResult Failure(TransferFailure failure, uint32_t code = 0) {
  TransferResult result;
  result.failure = failure;
  result.systemCode = code;
  return result;
}

// The body of a stream request into `out`; its answer goes into `record`.
TransferResult StreamBody(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
                          RequestRecord& record, const RetryPolicy& policy) {
  WatchedCalls calls(cancel, policy);
  auto open = std::make_shared<OpenRequest>();
  static const wchar_t kJson[] = L"Content-Type: application/json";
  const TransferResult sent = OpenAndSend(url, RequestKind::StreamDownload, kJson, open, calls);
  if (!sent.ok()) return sent;
  if (cancel.IsCancelled()) return Failure(TransferFailure::Cancelled);
  HINTERNET request = open->request.get();
  const std::optional<DWORD> status = StatusCode(request);
  record.status = status;
  if (!HasAnswer(status)) return Failure(TransferFailure::Dropped);
  if (!IsBodyStatus(*status)) return RefusedBy(request, *status);
  if (IsWebPageType(HeaderText(request, HTTP_QUERY_CONTENT_TYPE))) {
    TransferResult page = Failure(TransferFailure::WebPage);
    page.status = *status;
    return page;
  }
  const int64_t expected = ContentLength(request);

  ReadAhead body(std::make_shared<InternetBody>(open), cancel, kStreamBufferSize, policy);
  std::vector<uint8_t> buffer(kStreamBufferSize);
  uint64_t received = 0;
  for (;;) {
    uint32_t available = 0;
    const bool answered = body.QueryAvailable(available);
    if (cancel.IsCancelled()) return Failure(TransferFailure::Cancelled);
    if (!answered) return FailedWith(body.LastError());
    if (available == 0) break;
    uint32_t read = 0;
    if (!body.Read(buffer.data(), available < kStreamBufferSize ? available : kStreamBufferSize,
                   read)) {
      return FailedWith(body.LastError());
    }
    if (read == 0) break;
    // A sink that takes no more (too long a version file) ends the transfer.
    if (!out.Write(reinterpret_cast<const char*>(buffer.data()), read)) {
      return Failure(TransferFailure::NotWritable);
    }
    received += read;
    record.bytes = received;
  }
  if (expected >= 0 && received != static_cast<uint64_t>(expected)) {
    return Failure(TransferFailure::Dropped);
  }
  if (cancel.IsCancelled()) return Failure(TransferFailure::Cancelled);
  return {};
}

// The tries of a stream download: each from the start, into a sink emptied
// again first.
class StreamTries final : public ITransferTries {
 public:
  StreamTries(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
              const RetryPolicy& policy)
      : cancel_(cancel), url_(url), out_(out), policy_(policy) {}
  TryResult Try(uint64_t) override {
    if (tried_ && !out_.Restart()) return {Failure(TransferFailure::NotWritable)};
    tried_ = true;
    LoggedRequest logged(u"GET stream", url_);
    return {logged.End(StreamBody(cancel_, url_, out_, logged.record, policy_)), 0};
  }
  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds, {}, *policy_.clock);
  }

 private:
  ICancelRequest& cancel_;
  const std::u16string& url_;
  IByteSink& out_;
  const RetryPolicy& policy_;
  bool tried_ = false;
};

}  // namespace

TransferResult DownloadToStream(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
                                const RetryPolicy& policy) {
  StreamTries tries(cancel, url, out, policy);
  return RunTries(tries, url, policy);
}

}  // namespace vwi
