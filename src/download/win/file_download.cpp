#include "download/win/file_download.h"

#include <memory>
#include <mutex>

#include "download/read_ahead.h"
#include "download/read_loop.h"
#include "download/transfer_tries.h"
#include "download/web_page_answer.h"
#include "download/win/http_request.h"
#include "download/win/internet_session.h"
#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

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

TransferResult LoopResult(LoopEnd end, uint32_t error) {
  TransferResult result;
  result.systemCode = error;
  switch (end) {
    case LoopEnd::Complete:
      return {};
    case LoopEnd::Cancelled:
      result.failure = TransferFailure::Cancelled;
      return result;
    case LoopEnd::Truncated:
      result.failure = TransferFailure::Dropped;
      return result;
    case LoopEnd::WriteFailed:
      result.failure = FailureOfSystemCode(error) == TransferFailure::DiskFull
                           ? TransferFailure::DiskFull
                           : TransferFailure::NotWritable;
      return result;
    case LoopEnd::ReadFailed:
      break;
  }
  return FailedWith(error);
}

TransferResult Failure(TransferFailure failure) {
  TransferResult result;
  result.failure = failure;
  return result;
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
    if (offset == 0 && !StartOver()) return {logged.End(Failure(TransferFailure::NotWritable))};
    TryResult result{Request(offset, logged.record)};
    logged.record.bytes = info_.received;
    logged.End(result.outcome);
    result.kept = Kept();
    return result;
  }

  bool WaitToRetry(uint32_t milliseconds) override {
    return WaitUnlessCancelled(cancel_, milliseconds, WaitReporter(&callback_, info_),
                               *options_.retry.clock);
  }

 private:
  TransferResult Request(uint64_t offset, RequestRecord& record) {
    info_.error = 0;
    info_.message.clear();
    std::wstring headers;
    if (offset > 0) {
      headers = L"Range: bytes=" + ToWide(DecimalText(static_cast<int64_t>(offset))) +
                L"-\r\nIf-Range: " + ToWide(validator_) + L"\r\n";
    }
    WatchedCalls calls(cancel_, options_.retry);
    auto open = std::make_shared<OpenRequest>();
    const TransferResult sent = OpenAndSend(
        url_, RequestKind::FileDownload, headers.empty() ? nullptr : headers.c_str(), open, calls);
    if (!sent.ok()) {
      info_.error = sent.systemCode;
      info_.message =
          sent.failure == TransferFailure::BadAddress ? u"" : u"HttpSendRequest Failed.";
      return sent;
    }
    if (cancel_.IsCancelled()) return Failure(TransferFailure::Cancelled);
    HINTERNET request = open->request.get();
    const std::optional<DWORD> status = StatusCode(request);
    record.status = status;
    if (!HasAnswer(status)) return Failure(TransferFailure::Dropped);
    if (IsBodyStatus(*status) && IsWebPageType(HeaderText(request, HTTP_QUERY_CONTENT_TYPE))) {
      // A network's own page (a sign-in page) is never written as the package.
      info_.error = *status;
      info_.message = u"The network answered with a web page.";
      TransferResult page = Failure(TransferFailure::WebPage);
      page.status = *status;
      return page;
    }
    if (!AcceptAnswer(*status, offset, request)) {
      // An error page is never written in place of the package.
      info_.error = *status;
      info_.message = u"Server refused the download.";
      return RefusedBy(request, *status);
    }
    const std::optional<int64_t> expected =
        BodyEnd(info_.received, ContentLength(request), options_.size);
    if (!expected) {
      // A body that cannot end at the announced size is never written.
      info_.error = *status;
      info_.message = u"The answer's length does not match the announced size.";
      TransferResult bad = Failure(TransferFailure::BadAnswer);
      bad.status = *status;
      return bad;
    }
    ReadAhead body(std::make_shared<InternetBody>(open), cancel_, kChunkSize, options_.retry);
    FileBatchSink sink(file_, options_.flushEachBatch, onDisk_);
    const LoopEnd end =
        RunReadLoop(cancel_, body, sink, callback_, info_, *expected, [] { Sleep(20); });
    if (end == LoopEnd::Complete && cancel_.IsCancelled()) {
      return Failure(TransferFailure::Cancelled);
    }
    return LoopResult(end, info_.error);
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

TransferResult DownloadToFile(ICancelRequest& cancel, const std::u16string& url, INewFile& file,
                              IDownloadCallback& callback, const TransferOptions& options) {
  DownloadStatusInfo info;
  FileTries tries(cancel, url, file, callback, info, options);
  TransferResult result = RunTries(tries, url, options.retry);
  if (cancel.IsCancelled()) {
    result = Failure(TransferFailure::Cancelled);
    info.state = DownloadState::Cancelled;
    Sleep(500);
  } else {
    info.state = DownloadState::Finished;
  }
  callback.OnDownloadStatus(info);
  return result;
}

}  // namespace vwi
