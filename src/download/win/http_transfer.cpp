#include "download/win/http_transfer.h"

#include <mutex>
#include <vector>

#include "download/read_loop.h"
#include "download/request_log.h"
#include "download/request_shape.h"
#include "download/win/internet_session.h"
#include "platform/run_log.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {

namespace {

constexpr DWORD kPartSize = 4096;
constexpr DWORD kStreamBufferSize = 16384;

// The handles of one request; the request is closed before its connection.
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

OpenResult OpenAndSend(const std::u16string& url, RequestKind kind, const wchar_t* extraHeaders,
                       OpenRequest& out, const wchar_t* verb = L"GET") {
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
  const DWORD headerLength = extraHeaders ? static_cast<DWORD>(wcslen(extraHeaders)) : 0;
  if (!HttpSendRequestW(out.request.get(), extraHeaders, headerLength, nullptr, 0)) {
    return Fail(OpenStep::Send, GetLastError());
  }
  return {};
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

const char16_t* OpenFailureMessage(OpenStep step) {
  switch (step) {
    case OpenStep::Connect:
      return u"InternetConnect Failed.";
    case OpenStep::Open:
      return u"HttpOpenRequest Failed.";
    case OpenStep::Send:
      return u"HttpSendRequest Failed.";
    default:
      return u"";
  }
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

class InternetBody final : public IBodySource {
 public:
  explicit InternetBody(HINTERNET request) : request_(request) {}
  bool QueryAvailable(uint32_t& available) override {
    DWORD n = 0;
    if (!InternetQueryDataAvailable(request_, &n, 0, 0)) return Failed();
    available = n;
    return true;
  }
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override {
    DWORD n = 0;
    if (!InternetReadFile(request_, buffer, size, &n)) return Failed();
    read = n;
    return true;
  }
  uint32_t LastError() override { return error_; }

 private:
  bool Failed() {
    error_ = GetLastError();
    return false;
  }
  HINTERNET request_;
  DWORD error_ = 0;
};

class FileBatchSink final : public IBatchSink {
 public:
  FileBatchSink(HANDLE file, bool flush) : file_(file), flush_(flush) {}
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    std::lock_guard lock(TransferLock());
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_, position, nullptr, FILE_BEGIN)) return Failed();
    while (size > 0) {
      DWORD written = 0;
      if (!WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr)) return Failed();
      if (written == 0) {
        error_ = ERROR_WRITE_FAULT;
        return false;
      }
      data += written;
      size -= written;
    }
    if (flush_ && !FlushFileBuffers(file_)) return Failed();
    return true;
  }
  uint32_t LastError() override { return error_; }

 private:
  bool Failed() {
    error_ = GetLastError();
    return false;
  }
  HANDLE file_;
  bool flush_;
  DWORD error_ = 0;
};

}  // namespace

std::optional<UrlParts> SplitUrl(const std::u16string& url) {
  if (url.empty()) return std::nullopt;
  std::vector<wchar_t> scheme(kPartSize), host(kPartSize), user(kPartSize), password(kPartSize),
      path(kPartSize), extra(kPartSize);
  URL_COMPONENTSW c = {};
  c.dwStructSize = sizeof(c);
  c.lpszScheme = scheme.data();
  c.dwSchemeLength = kPartSize;
  c.lpszHostName = host.data();
  c.dwHostNameLength = kPartSize;
  c.lpszUserName = user.data();
  c.dwUserNameLength = kPartSize;
  c.lpszPassword = password.data();
  c.dwPasswordLength = kPartSize;
  c.lpszUrlPath = path.data();
  c.dwUrlPathLength = kPartSize;
  c.lpszExtraInfo = extra.data();
  c.dwExtraInfoLength = kPartSize;
  if (!InternetCrackUrlW(Wide(url), static_cast<DWORD>(url.size()), 0, &c)) return std::nullopt;
  UrlParts parts;
  parts.scheme = c.nScheme;
  parts.host.assign(host.data(), c.dwHostNameLength);
  parts.port = c.nPort;
  parts.user.assign(user.data(), c.dwUserNameLength);
  parts.password.assign(password.data(), c.dwPasswordLength);
  parts.path.assign(path.data(), c.dwUrlPathLength);
  parts.extra.assign(extra.data(), c.dwExtraInfoLength);
  if (parts.host.empty()) return std::nullopt;
  return parts;
}

namespace {

// What the HEAD request of the size query learnt.
struct HeadAnswer {
  std::optional<int64_t> size;  // set when the answer is definite
  bool unreachable = false;     // no connection: the GET would meet the same
};

bool IsUnreachable(DWORD error) {
  return error == ERROR_INTERNET_CANNOT_CONNECT || error == ERROR_INTERNET_NAME_NOT_RESOLVED ||
         error == ERROR_INTERNET_TIMEOUT;
}

HeadAnswer AskHead(const std::u16string& url) {
  LoggedRequest logged(u"size query HEAD", url);
  OpenRequest open;
  const OpenResult opened = OpenAndSend(url, RequestKind::SizeQuery, nullptr, open, L"HEAD");
  if (opened.failedAt != OpenStep::Done) {
    logged.record.failure = OpenFailureMessage(opened.failedAt);
    return {std::nullopt, IsUnreachable(opened.error)};
  }
  const std::optional<DWORD> status = StatusCode(open.request.get());
  logged.record.status = status;
  const std::optional<int64_t> length = AnnouncedLength(open.request.get());
  if (!status || !IsDefiniteHeadAnswer(*status, length)) return {};
  logged.record.bytes = static_cast<uint64_t>(*length);
  logged.Result(true);
  return {length, false};
}

}  // namespace

int64_t QueryRemoteFileSize(const std::u16string& url) {
  const HeadAnswer head = AskHead(url);
  if (head.size) return *head.size;
  if (head.unreachable) return 0;
  LoggedRequest logged(u"size query", url);
  OpenRequest open;
  const OpenResult opened = OpenAndSend(url, RequestKind::SizeQuery, nullptr, open);
  if (opened.failedAt != OpenStep::Done) {
    logged.record.failure = OpenFailureMessage(opened.failedAt);
    return 0;
  }
  const std::optional<DWORD> status = StatusCode(open.request.get());
  logged.record.status = status;
  if (!status || !IsAcceptedSizeStatus(*status)) return 0;
  const int64_t length = ContentLength(open.request.get());
  logged.record.bytes = length < 0 ? 0 : static_cast<uint64_t>(length);
  logged.Result(true);
  return length < 0 ? 0 : length;
}

bool DownloadToFile(ICancelRequest& cancel, const std::u16string& url, HANDLE file,
                    IDownloadCallback& callback, const TransferOptions& options) {
  DownloadStatusInfo info;
  bool result = false;
  LoggedRequest logged(u"GET file", url);
  {
    OpenRequest open;
    const OpenResult opened = OpenAndSend(url, RequestKind::FileDownload, nullptr, open);
    if (opened.failedAt != OpenStep::Done) {
      info.error = opened.error;
      info.message = OpenFailureMessage(opened.failedAt);
    } else if (!cancel.IsCancelled()) {
      // An error page is never written in place of the package.
      const std::optional<DWORD> status = StatusCode(open.request.get());
      logged.record.status = status;
      if (!status || !IsBodyStatus(*status)) {
        info.error = status.value_or(GetLastError());
        info.message = u"Server refused the download.";
      } else {
        InternetBody body(open.request.get());
        FileBatchSink sink(file, options.flushEachBatch);
        const LoopEnd end = RunReadLoop(cancel, body, sink, callback, info,
                                        ContentLength(open.request.get()), [] { Sleep(20); });
        result = end == LoopEnd::Complete && !cancel.IsCancelled();
      }
    }
  }
  if (cancel.IsCancelled()) {
    result = false;
    info.state = DownloadState::Cancelled;
    Sleep(500);
  } else {
    info.state = DownloadState::Finished;
  }
  logged.record.bytes = info.received;
  logged.record.failure = cancel.IsCancelled() ? u"cancelled" : info.message;
  logged.Result(result);
  callback.OnDownloadStatus(info);
  return result;
}

namespace {

// The body of a stream request into `out`; its answer goes into `record`.
bool StreamBody(ICancelRequest& cancel, const std::u16string& url, IByteSink& out,
                RequestRecord& record) {
  OpenRequest open;
  static const wchar_t kJson[] = L"Content-Type: application/json";
  const OpenResult opened = OpenAndSend(url, RequestKind::StreamDownload, kJson, open);
  if (opened.failedAt != OpenStep::Done) {
    record.failure = OpenFailureMessage(opened.failedAt);
    return false;
  }
  if (cancel.IsCancelled()) return false;
  const std::optional<DWORD> status = StatusCode(open.request.get());
  record.status = status;
  if (!status || !IsBodyStatus(*status)) return false;
  const int64_t expected = ContentLength(open.request.get());

  std::vector<char> buffer(kStreamBufferSize);
  uint64_t received = 0;
  for (;;) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(open.request.get(), &available, 0, 0)) return false;
    if (cancel.IsCancelled()) return false;
    if (available == 0) break;
    DWORD read = 0;
    if (!InternetReadFile(open.request.get(), buffer.data(),
                          available < kStreamBufferSize ? available : kStreamBufferSize, &read)) {
      return false;
    }
    if (read == 0) break;
    if (!out.Write(buffer.data(), read)) return false;
    received += read;
    record.bytes = received;
  }
  if (expected >= 0 && received != static_cast<uint64_t>(expected)) return false;
  return !cancel.IsCancelled();
}

}  // namespace

bool DownloadToStream(ICancelRequest& cancel, const std::u16string& url, IByteSink& out) {
  LoggedRequest logged(u"GET stream", url);
  return logged.Result(StreamBody(cancel, url, out, logged.record));
}

}  // namespace vwi
