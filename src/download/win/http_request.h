// One HTTP request over the process-wide session: opened, sent (waiting on
// a helper so a cancel or a stall gives the wait up), and read back: its
// status, headers and body. Shared by the size query and both downloads.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "download/read_loop.h"
#include "download/request_log.h"
#include "download/request_shape.h"
#include "download/transfer_result.h"
#include "download/watched_calls.h"
#include "platform/win/unique_handle.h"

namespace vwi {

// The handles of one request; the request is closed before its connection.
// Shared with the calls that wait on it, which may outlive the try that
// gave them up.
struct OpenRequest {
  UniqueInternet connection;
  UniqueInternet request;
  bool secure = false;
};

// Opens the request of `kind` for `url` and sends it with `extraHeaders`
// (may be null), waiting for the answer's headers through `calls`. The
// failure names its kind and the network stack's code.
TransferResult OpenAndSend(const std::u16string& url, RequestKind kind, const wchar_t* extraHeaders,
                           const std::shared_ptr<OpenRequest>& open, WatchedCalls& calls,
                           const wchar_t* verb = L"GET");

std::optional<DWORD> StatusCode(HINTERNET request);
// The announced Content-Length, if one is announced and readable.
std::optional<int64_t> AnnouncedLength(HINTERNET request);
// The announced Content-Length, or -1 when none (or an unreadable one) is announced.
int64_t ContentLength(HINTERNET request);
// A text header of the answer; empty when it is absent.
std::u16string HeaderText(HINTERNET request, DWORD header);
// Whether a status line came back at all: after a reset Wine may let the
// send succeed with status 0.
bool HasAnswer(std::optional<DWORD> status);
// A refusal as a failed try; busy servers may say when to ask again.
TransferResult RefusedBy(HINTERNET request, DWORD status);

// Writes the request's line into the run's log when it goes out of scope.
class LoggedRequest {
 public:
  LoggedRequest(std::u16string_view kind, const std::u16string& url);
  LoggedRequest(const LoggedRequest&) = delete;
  LoggedRequest& operator=(const LoggedRequest&) = delete;
  ~LoggedRequest();
  // Records how the request ended and passes the result through.
  const TransferResult& End(const TransferResult& result);

  RequestRecord record;

 private:
  DWORD start_;
};

// The body of an answered request; it keeps the request open.
class InternetBody final : public IBodySource {
 public:
  explicit InternetBody(std::shared_ptr<OpenRequest> open) : open_(std::move(open)) {}
  bool QueryAvailable(uint32_t& available) override;
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override;
  uint32_t LastError() override { return error_; }

 private:
  std::shared_ptr<OpenRequest> open_;
  uint32_t error_ = 0;
};

// A failure the network stack reported as `code`, as a result.
TransferResult FailedWith(uint32_t code);

// Tells `callback`, when there is one, the seconds left of a wait to retry.
std::function<void(uint32_t)> WaitReporter(IDownloadCallback* callback,
                                           const DownloadStatusInfo& progress);

}  // namespace vwi
