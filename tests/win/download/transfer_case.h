// What the transfer tests share: a recorder of the progress reports, a
// fixture that downloads into a fresh file of its own folder, and the
// fault server's per-key record of requests. The transfers run on the
// shipped policy counted on a clock twenty times as fast as real time, so
// a wait to retry or half a minute of silence costs a twentieth of it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "download/cancel_token.h"
#include "download/transfers.h"
#include "download/win/file_download.h"
#include "download/win/size_query.h"
#include "download/win/stream_download.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"
#include "unit/download/test_clocks.h"
#include "win/download/test_servers.h"

namespace vwi::test {

using Clock = std::chrono::steady_clock;

// The clock's speed: the fault server's seconds are real ones.
inline constexpr int kClockSpeed = 20;

// The shipped policy on the fast clock.
inline RetryPolicy FastPolicy() {
  static const FastClock clock(kClockSpeed);
  RetryPolicy policy;
  policy.clock = &clock;
  return policy;
}

// The platform's transfers with whatever policy they are given counted on
// the fast clock.
class FastTransfers final : public ITransfers {
 public:
  SizeResult QuerySize(const std::u16string& url, ICancelRequest& cancel, IDownloadCallback* waits,
                       const RetryPolicy& policy) override {
    return SystemTransfers().QuerySize(url, cancel, waits, Fast(policy));
  }
  TransferResult DownloadToFile(const std::u16string& url, INewFile& file,
                                IDownloadCallback& progress, const TransferOptions& options,
                                ICancelRequest& cancel) override {
    TransferOptions fast = options;
    fast.retry = Fast(options.retry);
    return SystemTransfers().DownloadToFile(url, file, progress, fast, cancel);
  }
  TransferResult DownloadToStream(const std::u16string& url, IByteSink& out, ICancelRequest& cancel,
                                  const RetryPolicy& policy) override {
    return SystemTransfers().DownloadToStream(url, out, cancel, Fast(policy));
  }

 private:
  static RetryPolicy Fast(RetryPolicy policy) {
    policy.clock = FastPolicy().clock;
    return policy;
  }
};

struct Report {
  DownloadStatusInfo info;
  Clock::time_point at;
};

struct Recorder : IDownloadCallback {
  void OnDownloadStatus(const DownloadStatusInfo& info) override {
    reports.push_back({info, Clock::now()});
    if (onReport) onReport(reports.size());
  }
  const DownloadStatusInfo& Final() const { return reports.back().info; }
  std::vector<Report> reports;
  std::function<void(size_t)> onReport;
};

class TransferCase : public ::testing::Test {
 protected:
  TransferCase() { options.retry = FastPolicy(); }
  void SetUp() override { VWI_REQUIRE_SERVERS(); }

  // Downloads into a fresh file; the bytes land in `bytes`.
  TransferResult Download(const std::u16string& url, ICancelRequest& cancel) {
    const std::wstring path = folder.File(L"target.bin");
    DeleteFileW(path.c_str());
    std::unique_ptr<IHeldFolder> held = OpenHeldFolder(FromWide(folder.path()), false).folder;
    std::unique_ptr<INewFile> file = held ? held->MakeFile(u"target.bin") : nullptr;
    EXPECT_TRUE(file);
    if (!file) return {TransferFailure::NotWritable};
    const TransferResult result = DownloadToFile(cancel, url, *file, recorder, options);
    file.reset();
    bytes = ReadBytes(path);
    return result;
  }
  TransferResult Download(const std::u16string& url) { return Download(url, never); }
  // A fault-server download whose size is known, as the download phase makes it.
  TransferResult Resumed(const std::u16string& path, uint64_t size) {
    options.size = size;
    const TransferResult result = Download(FaultUrl(path), never);
    options.size = 0;
    return result;
  }
  SizeResult Size(const std::u16string& url) {
    return QueryRemoteFileSize(url, never, nullptr, options.retry);
  }
  // The size, or -1 when the query failed.
  int64_t SizeOf(const std::u16string& url) {
    const SizeResult size = Size(url);
    return size.result.ok() ? size.size : -1;
  }

  NeverCancelled never;
  TransferOptions options;
  TempFolder folder;
  Recorder recorder;
  std::vector<uint8_t> bytes;
};

// A key of this run's own for the fault server's per-key answers.
inline std::u16string RunKey(const char* name) {
  const std::string key = std::string(name) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(GetTickCount64());
  return std::u16string(key.begin(), key.end());
}

// Each request the fault server saw for `key`: its Range header and the
// status it answered.
inline std::vector<std::string> RequestsSeen(const std::u16string& key) {
  StringSink out;
  NeverCancelled never;
  EXPECT_TRUE(DownloadToStream(never, FaultUrl(u"/seen/" + key), out).ok());
  std::vector<std::string> lines;
  std::istringstream text(out.text);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

}  // namespace vwi::test
