#include "download/win/http_transfer.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "download/read_ahead.h"
#include "download/read_loop.h"
#include "download/request_log.h"
#include "download/request_shape.h"
#include "download/retry_rule.h"
#include "download/transfer_tries.h"
#include "download/watched_calls.h"
#include "download/win/cancel_request.h"
#include "download/win/internet_session.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {

namespace {

constexpr DWORD kPartSize = 4096;
constexpr DWORD kStreamBufferSize = 16384;

// The handles of one request; the request is closed before its connection.
// Shared with the calls that wait on it, which may outlive the try that
// gave them up.
struct OpenRequest {
  UniqueInternet connection;
  UniqueInternet request;
  bool secure = false;
};

enum class OpenStep { Split, Connect, Open, Send, Done };

struct OpenResult {
  OpenStep failedAt = OpenStep::Done;
  DWORD error = 0;
};

OpenResult Fail(OpenStep step, DWORD error) { return {step, error}; }

// Sends the request, waiting for the answer's headers through `calls`.
OpenResult Send(const std::shared_ptr<OpenRequest>& open, const wchar_t* extraHeaders,
                WatchedCalls& calls) {
  struct Sent {
    BOOL ok = FALSE;
    DWORD error = 0;
  };
  auto sent = std::make_shared<Sent>();
  const CallEnd end =
      calls.Run([open, headers = std::wstring(extraHeaders ? extraHeaders : L""), sent] {
        sent->ok =
            HttpSendRequestW(open->request.get(), headers.empty() ? nullptr : headers.c_str(),
                             static_cast<DWORD>(headers.size()), nullptr, 0);
        if (!sent->ok) sent->error = GetLastError();
      });
  if (end != CallEnd::Returned) return Fail(OpenStep::Send, GivenUpError(end));
  if (!sent->ok) return Fail(OpenStep::Send, sent->error);
  return {};
}

OpenResult OpenAndSend(const std::u16string& url, RequestKind kind, const wchar_t* extraHeaders,
                       const std::shared_ptr<OpenRequest>& open, WatchedCalls& calls,
                       const wchar_t* verb = L"GET") {
  OpenRequest& out = *open;
  std::optional<UrlParts> parts = SplitUrl(url);
  if (!parts) return Fail(OpenStep::Split, 0);
  OpenInternetSession();
  const DWORD service =
      parts->scheme == INTERNET_SCHEME_FTP ? INTERNET_SERVICE_FTP : INTERNET_SERVICE_HTTP;
  out.connection.reset(InternetConnectW(InternetSession(), parts->host.c_str(), parts->port,
                                        parts->user.empty() ? nullptr : parts->user.c_str(),
                                        parts->password.empty() ? nullptr : parts->password.c_str(),
                                        service, 0, 0));
  if (!out.connection) return Fail(OpenStep::Connect, GetLastError());

  out.secure = parts->scheme == INTERNET_SCHEME_HTTPS;
  const std::wstring object = parts->path + parts->extra;
  static const wchar_t* kXmlAccept[] = {L"application/xml", L"*/*", nullptr};
  static const wchar_t* kAnyAccept[] = {L"*/*", nullptr};
  const wchar_t** accept = kind == RequestKind::FileDownload ? kAnyAccept : kXmlAccept;
  out.request.reset(HttpOpenRequestW(out.connection.get(), verb, object.c_str(), L"HTTP/1.1",
                                     nullptr, accept, RequestFlags(kind, out.secure), 0));
  if (!out.request) return Fail(OpenStep::Open, GetLastError());

  if (!RefererUrl().empty()) {
    const std::wstring header = L"Referer: " + ToWide(RefererUrl());
    HttpAddRequestHeadersW(out.request.get(), header.c_str(), static_cast<DWORD>(header.size()),
                           HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
  }
  return Send(open, extraHeaders, calls);
}

std::optional<DWORD> StatusCode(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                      nullptr)) {
    return std::nullopt;
  }
  return status;
}

// The announced Content-Length, if one is announced and readable.
std::optional<int64_t> AnnouncedLength(HINTERNET request) {
  wchar_t text[16] = {};
  DWORD size = sizeof(text);
  if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) {
    return std::nullopt;
  }
  return ParseContentLength(FromWide(text));
}

// The announced Content-Length, or -1 when none (or an unreadable one) is announced.
int64_t ContentLength(HINTERNET request) { return AnnouncedLength(request).value_or(-1); }

// The message of a failed step ("" for a split address, which has none).
const char16_t* OpenFailureMessage(OpenStep step) {
  constexpr const char16_t* kMessages[] = {
      u"", u"InternetConnect Failed.", u"HttpOpenRequest Failed.", u"HttpSendRequest Failed.", u""};
  static_assert(std::size(kMessages) == static_cast<size_t>(OpenStep::Done) + 1);
  return kMessages[static_cast<size_t>(step)];
}

// Writes the request's line into the run's log when it goes out of scope.
class LoggedRequest {
 public:
  LoggedRequest(std::u16string_view kind, const std::u16string& url) : start_(GetTickCount()) {
    record.kind = kind;
    record.url = url;
  }
  LoggedRequest(const LoggedRequest&) = delete;
  LoggedRequest& operator=(const LoggedRequest&) = delete;
  ~LoggedRequest() {
    record.milliseconds = GetTickCount() - start_;
    LogLine(RequestLogEntry(record));
  }
  // Passes `result` through, recording it.
  bool Result(bool result) {
    record.succeeded = result;
    return result;
  }

  RequestRecord record;

 private:
  DWORD start_;
};

// An interface's LastError() over the system's code of the last failure.
template <typename Interface>
class WithLastError : public Interface {
 public:
  uint32_t LastError() override { return error_; }

 protected:
  bool Failed() {
    error_ = GetLastError();
    return false;
  }
  DWORD error_ = 0;
};

// The body of an answered request; it keeps the request open.
class InternetBody final : public WithLastError<IBodySource> {
 public:
  explicit InternetBody(std::shared_ptr<OpenRequest> open) : open_(std::move(open)) {}
  bool QueryAvailable(uint32_t& available) override {
    DWORD n = 0;
    if (!InternetQueryDataAvailable(open_->request.get(), &n, 0, 0)) return Failed();
    available = n;
    return true;
  }
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override {
    DWORD n = 0;
    if (!InternetReadFile(open_->request.get(), buffer, size, &n)) return Failed();
    read = n;
    return true;
  }

 private:
  std::shared_ptr<OpenRequest> open_;
};

// Writes batches into the file; `end` follows the end of what is written.
class FileBatchSink final : public IBatchSink {
 public:
  FileBatchSink(INewFile& file, bool flush, uint64_t& end)
      : file_(file), flush_(flush), end_(end) {}
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    std::lock_guard lock(TransferLock());
    if (!file_.WriteAt(offset, data, size)) return false;
    if (flush_ && !file_.Flush()) return false;
    end_ = offset + size;
    return true;
  }
  uint32_t LastError() override { return file_.LastError(); }

 private:
  INewFile& file_;
  bool flush_;
  uint64_t& end_;
};

// A buffer the system copies one part of an address into.
class PartBuffer {
 public:
  // Lends the buffer to the pointer and length fields that name the part.
  void Lend(LPWSTR& text, DWORD& length) {
    text = buffer_.data();
    length = kPartSize;
  }
  std::wstring Take(DWORD length) const { return {buffer_.data(), length}; }

 private:
  std::vector<wchar_t> buffer_ = std::vector<wchar_t>(kPartSize);
};

}  // namespace

std::optional<UrlParts> SplitUrl(const std::u16string& url) {
  if (url.empty()) return std::nullopt;
  PartBuffer scheme, host, user, password, path, extra;
  URL_COMPONENTSW c = {};
  c.dwStructSize = sizeof(c);
  scheme.Lend(c.lpszScheme, c.dwSchemeLength);
  host.Lend(c.lpszHostName, c.dwHostNameLength);
  user.Lend(c.lpszUserName, c.dwUserNameLength);
  password.Lend(c.lpszPassword, c.dwPasswordLength);
  path.Lend(c.lpszUrlPath, c.dwUrlPathLength);
  extra.Lend(c.lpszExtraInfo, c.dwExtraInfoLength);
  if (!InternetCrackUrlW(Wide(url), static_cast<DWORD>(url.size()), 0, &c)) return std::nullopt;
  UrlParts parts;
  parts.scheme = c.nScheme;
  parts.host = host.Take(c.dwHostNameLength);
  parts.port = c.nPort;
  parts.user = user.Take(c.dwUserNameLength);
  parts.password = password.Take(c.dwPasswordLength);
  parts.path = path.Take(c.dwUrlPathLength);
  parts.extra = extra.Take(c.dwExtraInfoLength);
  if (parts.host.empty()) return std::nullopt;
  return parts;
}

namespace {

// What a failed request or read means for another try.
TryFailure NetworkFailure(DWORD error) {
  switch (error) {
    case ERROR_INTERNET_CANNOT_CONNECT:
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
      return TryFailure::CouldNotConnect;
    case ERROR_INTERNET_TIMEOUT:
      return TryFailure::TimedOut;
    case kErrorStalled:
      return TryFailure::Stalled;
    case ERROR_INTERNET_OPERATION_CANCELLED:
      return TryFailure::Cancelled;
    case ERROR_INTERNET_CONNECTION_RESET:
    case ERROR_INTERNET_CONNECTION_ABORTED:
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
      return TryFailure::Dropped;
    default:
      return TryFailure::Other;
  }
}

// A text header of the answer; empty when it is absent.
std::u16string HeaderText(HINTERNET request, DWORD header) {
  wchar_t text[512] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (!HttpQueryInfoW(request, header, text, &size, nullptr)) return {};
  return FromWide(text);
}

// Whether a status line came back at all: after a reset Wine may let the
// send succeed with status 0.
bool HasAnswer(std::optional<DWORD> status) { return status && *status != 0; }

// A refusal as a failed try; busy servers may say when to ask again.
TryOutcome Refused(HINTERNET request, DWORD status) {
  return {TryFailure::Status, status, ParseRetryAfter(HeaderText(request, HTTP_QUERY_RETRY_AFTER))};
}

// What the size query learnt from one try.
struct SizeAnswer {
  int64_t size = 0;
  TryOutcome outcome;
};

// Whether a failed HEAD ends the try: the GET would meet the same.
bool EndsTheQuery(DWORD error) {
  switch (NetworkFailure(error)) {
    case TryFailure::CouldNotConnect:
    case TryFailure::TimedOut:
    case TryFailure::Stalled:
    case TryFailure::Cancelled:
      return true;
    default:
      return false;
  }
}

// HEAD, which moves no body. Nothing when its answer is not definite and the
// GET is to be asked; a failure when the server cannot be reached or the
// query was given up.
std::optional<SizeAnswer> AskHead(const std::u16string& url, WatchedCalls& calls) {
  LoggedRequest logged(u"size query HEAD", url);
  auto open = std::make_shared<OpenRequest>();
  const OpenResult opened = OpenAndSend(url, RequestKind::SizeQuery, nullptr, open, calls, L"HEAD");
  if (opened.failedAt != OpenStep::Done) {
    logged.record.failure = OpenFailureMessage(opened.failedAt);
    if (!EndsTheQuery(opened.error)) return std::nullopt;
    return SizeAnswer{0, {NetworkFailure(opened.error)}};
  }
  const std::optional<DWORD> status = StatusCode(open->request.get());
  logged.record.status = status;
  const std::optional<int64_t> length = AnnouncedLength(open->request.get());
  if (!status || !IsDefiniteHeadAnswer(*status, length)) return std::nullopt;
  logged.record.bytes = static_cast<uint64_t>(*length);
  logged.Result(true);
  return SizeAnswer{*length, {}};
}

// The GET whose body is never read, for servers that do not answer HEAD.
SizeAnswer AskGet(const std::u16string& url, WatchedCalls& calls) {
  LoggedRequest logged(u"size query", url);
  auto open = std::make_shared<OpenRequest>();
  const OpenResult opened = OpenAndSend(url, RequestKind::SizeQuery, nullptr, open, calls);
  if (opened.failedAt != OpenStep::Done) {
    logged.record.failure = OpenFailureMessage(opened.failedAt);
    return {0, {NetworkFailure(opened.error)}};
  }
  const std::optional<DWORD> status = StatusCode(open->request.get());
  logged.record.status = status;
  if (!HasAnswer(status)) return {0, {TryFailure::Dropped}};
  if (!IsAcceptedSizeStatus(*status)) return {0, Refused(open->request.get(), *status)};
  const int64_t length = ContentLength(open->request.get());
  logged.record.bytes = length < 0 ? 0 : static_cast<uint64_t>(length);
  logged.Result(true);
  return {length < 0 ? 0 : length, {}};
}

// Tells `callback`, when there is one, the seconds left of a wait to retry.
std::function<void(uint32_t)> WaitReporter(IDownloadCallback* callback,
                                           const DownloadStatusInfo& progress) {
  if (!callback) return {};
  return [callback, progress](uint32_t secondsLeft) {
    DownloadStatusInfo waiting = progress;
    waiting.state = DownloadState::WaitingToRetry;
    waiting.retryInSeconds = secondsLeft;
    callback->OnDownloadStatus(waiting);
  };
}

class SizeTries final : public ITransferTries {
 public:
  SizeTries(const std::u16string& url, ICancelRequest& cancel, IDownloadCallback* waits)
      : url_(url), cancel_(cancel), waits_(waits) {}
  TryResult Try(uint64_t) override {
    WatchedCalls calls(cancel_);
    std::optional<SizeAnswer> head = AskHead(url_, calls);
    answer = head ? *head : AskGet(url_, calls);
    return {answer.outcome, 0};
  }
  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds, WaitReporter(waits_, {}));
  }

  SizeAnswer answer;

 private:
  const std::u16string& url_;
  ICancelRequest& cancel_;
  IDownloadCallback* waits_;
};

}  // namespace

int64_t QueryRemoteFileSize(const std::u16string& url, ICancelRequest& cancel,
                            IDownloadCallback* waits) {
  SizeTries tries(url, cancel, waits);
  RunTries(tries, url);
  return tries.answer.outcome.failure == TryFailure::None ? tries.answer.size : 0;
}

int64_t QueryRemoteFileSize(const std::u16string& url) {
  CancelRequest never;
  return QueryRemoteFileSize(url, never);
}

namespace {

TryFailure LoopFailure(LoopEnd end, DWORD error) {
  switch (end) {
    case LoopEnd::Complete:
      return TryFailure::None;
    case LoopEnd::Cancelled:
      return TryFailure::Cancelled;
    case LoopEnd::Truncated:
      return TryFailure::Dropped;
    case LoopEnd::WriteFailed:
      return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? TryFailure::DiskFull
                                                                         : TryFailure::Other;
    case LoopEnd::ReadFailed:
      break;
  }
  return NetworkFailure(error);
}

// The tries of one file download: each a GET, from an offset when bytes are
// kept and the first answer named the file's version (If-Range).
class FileTries final : public ITransferTries {
 public:
  FileTries(ICancelRequest& cancel, const std::u16string& url, INewFile& file,
            IDownloadCallback& callback, DownloadStatusInfo& info, const TransferOptions& options)
      : cancel_(cancel),
        url_(url),
        file_(file),
        callback_(callback),
        info_(info),
        options_(options) {}

  TryResult Try(uint64_t offset) override {
    LoggedRequest logged(u"GET file", url_);
    if (offset == 0 && !StartOver()) return {{TryFailure::Other}};
    TryResult result{Request(offset, logged.record)};
    logged.record.bytes = info_.received;
    logged.record.failure = cancel_.IsCancelled() ? u"cancelled" : info_.message;
    logged.Result(result.outcome.failure == TryFailure::None);
    result.kept = Kept();
    return result;
  }

  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds, WaitReporter(&callback_, info_));
  }

 private:
  TryOutcome Request(uint64_t offset, RequestRecord& record) {
    info_.error = 0;
    info_.message.clear();
    std::wstring headers;
    if (offset > 0) {
      headers = L"Range: bytes=" + ToWide(DecimalText(static_cast<int64_t>(offset))) +
                L"-\r\nIf-Range: " + ToWide(validator_) + L"\r\n";
    }
    WatchedCalls calls(cancel_);
    auto open = std::make_shared<OpenRequest>();
    const OpenResult opened = OpenAndSend(url_, RequestKind::FileDownload,
                                          headers.empty() ? nullptr : headers.c_str(), open, calls);
    if (opened.failedAt != OpenStep::Done) {
      info_.error = opened.error;
      info_.message = OpenFailureMessage(opened.failedAt);
      return {NetworkFailure(opened.error)};
    }
    if (cancel_.IsCancelled()) return {TryFailure::Cancelled};
    HINTERNET request = open->request.get();
    const std::optional<DWORD> status = StatusCode(request);
    record.status = status;
    if (!HasAnswer(status)) return {TryFailure::Dropped};
    if (!AcceptAnswer(*status, offset, request)) {
      // An error page is never written in place of the package.
      info_.error = *status;
      info_.message = u"Server refused the download.";
      return Refused(request, *status);
    }
    const std::optional<int64_t> expected =
        BodyEnd(info_.received, ContentLength(request), options_.size);
    if (!expected) {
      // A body that cannot end at the announced size is never written.
      info_.error = *status;
      info_.message = u"The answer's length does not match the announced size.";
      return {TryFailure::Other};
    }
    ReadAhead body(std::make_shared<InternetBody>(open), cancel_);
    FileBatchSink sink(file_, options_.flushEachBatch, onDisk_);
    const LoopEnd end =
        RunReadLoop(cancel_, body, sink, callback_, info_, *expected, [] { Sleep(20); });
    if (end == LoopEnd::Complete && cancel_.IsCancelled()) return {TryFailure::Cancelled};
    return {LoopFailure(end, info_.error)};
  }

  // Whether the answer's body is to be written, and from where.
  bool AcceptAnswer(DWORD status, uint64_t offset, HINTERNET request) {
    if (offset == 0) {
      if (!IsBodyStatus(status)) return false;
      RememberValidator(request);
      info_.received = 0;
      return true;
    }
    const auto range = ParseContentRange(HeaderText(request, HTTP_QUERY_CONTENT_RANGE));
    switch (JudgeResumeAnswer(status, range, offset, options_.size)) {
      case ResumeAnswer::Append:
        info_.received = offset;
        onDisk_ = offset;
        return true;
      case ResumeAnswer::StartOver:
        RememberValidator(request);
        info_.received = 0;
        return StartOver();
      case ResumeAnswer::Failed:
        break;
    }
    return false;
  }

  void RememberValidator(HINTERNET request) {
    const std::u16string etag = HeaderText(request, HTTP_QUERY_ETAG);
    const std::u16string modified = HeaderText(request, HTTP_QUERY_LAST_MODIFIED);
    validator_ = std::u16string(ResumeValidator(etag, modified).value_or(u""));
  }

  // Empties the file for a body written from its start.
  bool StartOver() {
    std::lock_guard lock(TransferLock());
    onDisk_ = 0;
    return file_.Truncate(0);
  }

  // The bytes on disk a next try may continue after: none without a
  // validator or a known size, or when they are the whole size already.
  uint64_t Kept() const {
    if (validator_.empty() || options_.size == 0) return 0;
    return onDisk_ < options_.size ? onDisk_ : 0;
  }

  ICancelRequest& cancel_;
  const std::u16string& url_;
  INewFile& file_;
  IDownloadCallback& callback_;
  DownloadStatusInfo& info_;
  const TransferOptions& options_;
  std::u16string validator_;
  uint64_t onDisk_ = 0;  // the end of the bytes written (the file is written in order)
};

}  // namespace

bool DownloadToFile(ICancelRequest& cancel, const std::u16string& url, INewFile& file,
                    IDownloadCallback& callback, const TransferOptions& options) {
  DownloadStatusInfo info;
  FileTries tries(cancel, url, file, callback, info, options);
  const bool result = RunTries(tries, url).failure == TryFailure::None && !cancel.IsCancelled();
  if (cancel.IsCancelled()) {
    info.state = DownloadState::Cancelled;
    Sleep(500);
  } else {
    info.state = DownloadState::Finished;
  }
  callback.OnDownloadStatus(info);
  return result;
}

namespace {

// The body of a stream request into `out`; its answer goes into `record`.
TryOutcome StreamBody(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
                      RequestRecord& record) {
  WatchedCalls calls(cancel);
  auto open = std::make_shared<OpenRequest>();
  static const wchar_t kJson[] = L"Content-Type: application/json";
  const OpenResult opened = OpenAndSend(url, RequestKind::StreamDownload, kJson, open, calls);
  if (opened.failedAt != OpenStep::Done) {
    record.failure = OpenFailureMessage(opened.failedAt);
    return {opened.failedAt == OpenStep::Split ? TryFailure::Other : NetworkFailure(opened.error)};
  }
  if (cancel.IsCancelled()) return {TryFailure::Cancelled};
  HINTERNET request = open->request.get();
  const std::optional<DWORD> status = StatusCode(request);
  record.status = status;
  if (!HasAnswer(status)) return {TryFailure::Dropped};
  if (!IsBodyStatus(*status)) return Refused(request, *status);
  const int64_t expected = ContentLength(request);

  ReadAhead body(std::make_shared<InternetBody>(open), cancel, kStreamBufferSize);
  std::vector<uint8_t> buffer(kStreamBufferSize);
  uint64_t received = 0;
  for (;;) {
    uint32_t available = 0;
    const bool answered = body.QueryAvailable(available);
    if (cancel.IsCancelled()) return {TryFailure::Cancelled};
    if (!answered) return {NetworkFailure(body.LastError())};
    if (available == 0) break;
    uint32_t read = 0;
    if (!body.Read(buffer.data(), available < kStreamBufferSize ? available : kStreamBufferSize,
                   read)) {
      return {NetworkFailure(body.LastError())};
    }
    if (read == 0) break;
    if (!out.Write(reinterpret_cast<const char*>(buffer.data()), read)) return {TryFailure::Other};
    received += read;
    record.bytes = received;
  }
  if (expected >= 0 && received != static_cast<uint64_t>(expected)) return {TryFailure::Dropped};
  if (cancel.IsCancelled()) return {TryFailure::Cancelled};
  return {};
}

// The tries of a stream download: each from the start, into a sink emptied
// again first.
class StreamTries final : public ITransferTries {
 public:
  StreamTries(ICancelRequest& cancel, const std::u16string& url, IByteSink& out)
      : cancel_(cancel), url_(url), out_(out) {}
  TryResult Try(uint64_t) override {
    if (tried_ && !out_.Restart()) return {{TryFailure::Other}};
    tried_ = true;
    LoggedRequest logged(u"GET stream", url_);
    const TryOutcome outcome = StreamBody(cancel_, url_, out_, logged.record);
    logged.Result(outcome.failure == TryFailure::None);
    return {outcome, 0};
  }
  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds);
  }

 private:
  ICancelRequest& cancel_;
  const std::u16string& url_;
  IByteSink& out_;
  bool tried_ = false;
};

}  // namespace

bool DownloadToStream(ICancelRequest& cancel, const std::u16string& url, IByteSink& out) {
  StreamTries tries(cancel, url, out);
  return RunTries(tries, url).failure == TryFailure::None;
}

}  // namespace vwi
