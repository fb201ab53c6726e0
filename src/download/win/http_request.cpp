#include "download/win/http_request.h"

#include <optional>
#include <utility>

#include "download/win/certificate_diagnosis.h"
#include "download/win/internet_session.h"
#include "download/win/url_parts.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {

TransferResult FailedWith(uint32_t code) {
  TransferResult result;
  result.failure = FailureOfSystemCode(code);
  result.systemCode = code;
  return result;
}

namespace {

// Sends the request, waiting for the answer's headers through `calls`.
TransferResult Send(const std::shared_ptr<OpenRequest>& open, const wchar_t* extraHeaders,
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
  if (end != CallEnd::Returned) return FailedWith(GivenUpError(end));
  if (!sent->ok) return FailedWith(sent->error);
  return {};
}

// The same address asked with HEAD once more, with the revocation check
// left out and without the address's credentials, only to learn the code it
// meets then (0 when it is answered); the answer is never read.
uint32_t CodeWithoutRevocation(const UrlParts& parts, RequestKind kind, WatchedCalls& calls) {
  auto probe = std::make_shared<OpenRequest>();
  probe->connection.reset(InternetConnectW(InternetSession(), parts.host.c_str(), parts.port,
                                           nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!probe->connection) return 0;
  const std::wstring object = parts.path + parts.extra;
  static const wchar_t* kAnyAccept[] = {L"*/*", nullptr};
  probe->request.reset(HttpOpenRequestW(probe->connection.get(), L"HEAD", object.c_str(),
                                        L"HTTP/1.1", nullptr, kAnyAccept, RequestFlags(kind, true),
                                        0));
  if (!probe->request) return 0;
  DWORD flags = 0;
  DWORD size = sizeof flags;
  InternetQueryOptionW(probe->request.get(), INTERNET_OPTION_SECURITY_FLAGS, &flags, &size);
  flags |= SECURITY_FLAG_IGNORE_REVOCATION;
  InternetSetOptionW(probe->request.get(), INTERNET_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
  return Send(probe, nullptr, calls).systemCode;
}

void SetProxyCredentials(HINTERNET request, const ProxyCredentials& credentials) {
  const std::wstring user = ToWide(credentials.user);
  const std::wstring password = ToWide(credentials.password);
  InternetSetOptionW(request, INTERNET_OPTION_PROXY_USERNAME, const_cast<wchar_t*>(user.c_str()),
                     static_cast<DWORD>(user.size()));
  InternetSetOptionW(request, INTERNET_OPTION_PROXY_PASSWORD,
                     const_cast<wchar_t*>(password.c_str()), static_cast<DWORD>(password.size()));
}

// Reads what is left of a refused answer, so the request can be sent again.
void DrainBody(HINTERNET request) {
  char buffer[4096];
  DWORD read = 0;
  while (InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0) {
  }
}

// While the proxy answers 407 and the run has a login: the request sent
// again with the credentials it gives. The last answer stands otherwise (a
// 407 when the person cancelled or gave up, which the caller refuses).
TransferResult SignInToProxy(const std::shared_ptr<OpenRequest>& open, const wchar_t* extraHeaders,
                             WatchedCalls& calls, std::optional<ProxyCredentials> sent) {
  ProxyLogin* login = SessionProxyLogin();
  if (!login) return {};
  for (;;) {
    const std::optional<DWORD> status = StatusCode(open->request.get());
    if (status != HTTP_STATUS_PROXY_AUTH_REQ) {
      if (sent && status) login->Accepted();
      return {};
    }
    const std::u16string proxy = SessionProxy();
    LogLine(u"The proxy " + proxy + u" asks for a user name and password (status 407)" +
            (sent ? u"; the ones given were refused" : u""));
    std::optional<ProxyCredentials> next = login->AfterRefusal(proxy, sent);
    if (!next)
      return login->Cancelled() ? TransferResult{TransferFailure::Cancelled} : TransferResult{};
    DrainBody(open->request.get());
    SetProxyCredentials(open->request.get(), *next);
    sent = std::move(next);
    const TransferResult again = Send(open, extraHeaders, calls);
    if (!again.ok()) return again;
  }
}

}  // namespace

TransferResult OpenAndSend(const std::u16string& url, RequestKind kind, const wchar_t* extraHeaders,
                           const std::shared_ptr<OpenRequest>& open, WatchedCalls& calls,
                           const wchar_t* verb) {
  OpenRequest& out = *open;
  std::optional<UrlParts> parts = SplitUrl(url);
  if (!parts) {
    TransferResult bad;
    bad.failure = TransferFailure::BadAddress;
    return bad;
  }
  OpenInternetSession();
  const DWORD service =
      parts->scheme == INTERNET_SCHEME_FTP ? INTERNET_SERVICE_FTP : INTERNET_SERVICE_HTTP;
  out.connection.reset(InternetConnectW(InternetSession(), parts->host.c_str(), parts->port,
                                        parts->user.empty() ? nullptr : parts->user.c_str(),
                                        parts->password.empty() ? nullptr : parts->password.c_str(),
                                        service, 0, 0));
  if (!out.connection) return FailedWith(GetLastError());

  out.secure = parts->scheme == INTERNET_SCHEME_HTTPS;
  const std::wstring object = parts->path + parts->extra;
  static const wchar_t* kXmlAccept[] = {L"application/xml", L"*/*", nullptr};
  static const wchar_t* kAnyAccept[] = {L"*/*", nullptr};
  const wchar_t** accept = kind == RequestKind::FileDownload ? kAnyAccept : kXmlAccept;
  out.request.reset(HttpOpenRequestW(out.connection.get(), verb, object.c_str(), L"HTTP/1.1",
                                     nullptr, accept, RequestFlags(kind, out.secure), 0));
  if (!out.request) return FailedWith(GetLastError());

  if (!RefererUrl().empty()) {
    const std::wstring header = L"Referer: " + ToWide(RefererUrl());
    HttpAddRequestHeadersW(out.request.get(), header.c_str(), static_cast<DWORD>(header.size()),
                           HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
  }
  // A proxy's credentials, once known, go with every request.
  std::optional<ProxyCredentials> known;
  if (ProxyLogin* login = SessionProxyLogin()) known = login->Known();
  if (known) SetProxyCredentials(out.request.get(), *known);
  TransferResult sent = Send(open, extraHeaders, calls);
  if (sent.ok()) sent = SignInToProxy(open, extraHeaders, calls, std::move(known));
  if (out.secure && sent.failure == TransferFailure::CertificateRefused) {
    sent = FailedWith(DiagnosedCertificateError(out.request.get(), sent.systemCode, [&] {
      return CodeWithoutRevocation(*parts, kind, calls);
    }));
  }
  return sent;
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

std::optional<int64_t> AnnouncedLength(HINTERNET request) {
  wchar_t text[16] = {};
  DWORD size = sizeof(text);
  if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) {
    return std::nullopt;
  }
  return ParseContentLength(FromWide(text));
}

int64_t ContentLength(HINTERNET request) { return AnnouncedLength(request).value_or(-1); }

std::u16string HeaderText(HINTERNET request, DWORD header) {
  wchar_t text[512] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  if (!HttpQueryInfoW(request, header, text, &size, nullptr)) return {};
  return FromWide(text);
}

bool HasAnswer(std::optional<DWORD> status) { return status && *status != 0; }

TransferResult RefusedBy(HINTERNET request, DWORD status) {
  if (status == HTTP_STATUS_PROXY_AUTH_REQ) {
    const std::u16string proxy = SessionProxy();
    LogLine(u"The proxy " + (proxy.empty() ? std::u16string(u"of the system settings") : proxy) +
            u" asks for a user name and password (status 407)");
  }
  return RefusedWith(status, ParseRetryAfter(HeaderText(request, HTTP_QUERY_RETRY_AFTER)));
}

LoggedRequest::LoggedRequest(std::u16string_view kind, const std::u16string& url)
    : start_(GetTickCount()) {
  record.kind = kind;
  record.url = url;
}

LoggedRequest::~LoggedRequest() {
  record.milliseconds = GetTickCount() - start_;
  LogLine(RequestLogEntry(record));
}

const TransferResult& LoggedRequest::End(const TransferResult& result) {
  record.succeeded = result.ok();
  if (!result.ok()) record.failure = TransferResultText(result);
  return result;
}

bool InternetBody::QueryAvailable(uint32_t& available) {
  DWORD n = 0;
  if (!InternetQueryDataAvailable(open_->request.get(), &n, 0, 0)) {
    error_ = GetLastError();
    return false;
  }
  available = n;
  return true;
}

bool InternetBody::Read(uint8_t* buffer, uint32_t size, uint32_t& read) {
  DWORD n = 0;
  if (!InternetReadFile(open_->request.get(), buffer, size, &n)) {
    error_ = GetLastError();
    return false;
  }
  read = n;
  return true;
}

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

}  // namespace vwi
