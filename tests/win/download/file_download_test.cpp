// Downloads into a file against nginx and the fault server: the bytes, the
// reports, the resumes and retries, the cancel and the pause, and what each
// kind of failure comes to.
#include "download/win/file_download.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using test::Clock;
using test::FaultUrl;
using test::NginxUrl;
using test::Report;
using test::RequestsSeen;
using test::RunKey;
using FileDownload = test::TransferCase;

TEST_F(FileDownload, TheFileHoldsExactlyTheServedBody) {
  for (const char* name : {"pkg-40961.bin", "pkg-8192.bin", "one.bin", "main.msi"}) {
    recorder.reports.clear();
    const std::string n = name;
    ASSERT_TRUE(Download(NginxUrl(u"/" + std::u16string(n.begin(), n.end()))).ok()) << name;
    EXPECT_EQ(bytes, test::ServedBytes(name)) << name;
    const DownloadStatusInfo& last = recorder.Final();
    EXPECT_EQ(last.state, DownloadState::Finished);
    EXPECT_EQ(last.received, bytes.size());
    EXPECT_EQ(last.total, 0u);
    EXPECT_EQ(last.error, 0u);
    EXPECT_EQ(last.message, u"");
    // Every report but the last says Downloading, with growing counts.
    for (size_t i = 0; i + 1 < recorder.reports.size(); ++i) {
      EXPECT_EQ(recorder.reports[i].info.state, DownloadState::Downloading);
      EXPECT_LE(recorder.reports[i].info.received, 4096u * (i + 1));
    }
  }
}

TEST_F(FileDownload, BodiesWithoutLengthAndAfterRedirectArriveWhole) {
  ASSERT_TRUE(Download(FaultUrl(u"/nolen/30000")).ok());
  EXPECT_EQ(bytes, test::Pattern(30000));
  ASSERT_TRUE(Download(FaultUrl(u"/redirect?to=/bytes/50001")).ok());
  EXPECT_EQ(bytes, test::Pattern(50001));
}

TEST_F(FileDownload, AnErrorPageIsNeverWrittenAsThePackage) {
  // A server error is asked again three times; the outcome is the same.
  const TransferResult refused = Download(FaultUrl(u"/status/500?len=3000"));
  EXPECT_EQ(refused.failure, TransferFailure::Status);
  EXPECT_EQ(refused.status, 500u);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_EQ(recorder.Final().error, 500u);
  EXPECT_EQ(recorder.Final().message, u"Server refused the download.");
  EXPECT_EQ(Download(FaultUrl(u"/status/401?len=10")).status, 401u);
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FileDownload, EachKindOfFailureTheServersCanMakeIsToldWithItsCode) {
  // Not found: asked once.
  const std::u16string missing = u"/status/404?len=10&" + RunKey("missing");
  const TransferResult notFound = Resumed(missing, 10);
  EXPECT_EQ(notFound.failure, TransferFailure::Status);
  EXPECT_EQ(notFound.status, 404u);
  const std::string asked(missing.begin(), missing.end());
  EXPECT_EQ(test::FaultRequests("GET " + asked + " "), 1);
  // A connection reset on every try.
  const TransferResult reset = Download(FaultUrl(u"/reset/" + RunKey("reset") + u"/99/100"));
  EXPECT_EQ(reset.failure, TransferFailure::Dropped);
  // No server listens.
  const TransferResult refused = Download(u"http://127.0.0.1:1/none.bin");
  EXPECT_EQ(refused.failure, TransferFailure::NoConnection);
  EXPECT_EQ(refused.systemCode, 12029u);
  EXPECT_EQ(recorder.Final().message, u"HttpSendRequest Failed.");
  // A server that sends nothing for longer than the stall limit, with no
  // try left: the program's own code for a call given up.
  options.retry.maxRetries = 0;
  const TransferResult stalled = Download(FaultUrl(u"/silent/" + RunKey("stall") + u"/3/100"));
  EXPECT_EQ(stalled.failure, TransferFailure::Stalled);
  EXPECT_EQ(stalled.systemCode, 0x20000001u);
  // A body cut short of its length.
  const TransferResult cut = Download(FaultUrl(u"/cut/100000/50000"));
  EXPECT_EQ(cut.failure, TransferFailure::Dropped);
  EXPECT_EQ(recorder.Final().message, u"Internet download file Failed");
  EXPECT_LE(recorder.Final().received, 50000u);
  // An address that cannot be read never reaches the network.
  EXPECT_EQ(Download(u"::bad::").failure, TransferFailure::BadAddress);
  EXPECT_EQ(recorder.Final().error, 0u);
  EXPECT_EQ(recorder.Final().message, u"");
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FileDownload, ADroppedTransferAsksForTheRestAndAppendsIt) {
  const std::u16string key = RunKey("drop");
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000", 300000).ok());
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_EQ(recorder.Final().received, 300000u);
}

TEST_F(FileDownload, OnlyExactlyTheAnnouncedBytesMakeAWholeFile) {
  // A 206 whose Content-Length covers half its own range would have ended
  // "complete", short of the size.
  const std::u16string key = RunKey("shortrange");
  EXPECT_EQ(Resumed(u"/resume/" + key + u"/300000/150000?shortrange", 300000).failure,
            TransferFailure::BadAnswer);
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
  EXPECT_EQ(bytes, test::Pattern(150000));
  // A whole answer of another length than the size query announced.
  EXPECT_EQ(Resumed(u"/bytes/1000", 2000).failure, TransferFailure::BadAnswer);
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FileDownload, AServerThatIgnoresTheRangeStartsTheFileOver) {
  const std::u16string key = RunKey("norange");
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000?norange", 300000).ok());
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 200"}));
  // Without a validator nothing can be asked for: the retry starts over.
  const std::u16string bare = RunKey("noetag");
  ASSERT_TRUE(Resumed(u"/resume/" + bare + u"/200000/70000?noetag", 200000).ok());
  EXPECT_EQ(bytes, test::Pattern(200000));
  EXPECT_EQ(RequestsSeen(bare), (std::vector<std::string>{"- 200", "- 200"}));
}

TEST_F(FileDownload, ABusyServerIsAskedAgain) {
  const std::u16string key = RunKey("busy");
  ASSERT_TRUE(Resumed(u"/busy/" + key + u"/2/50000?after=1", 50000).ok());
  EXPECT_EQ(bytes, test::Pattern(50000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 503", "- 503", "- 200"}));
}

TEST_F(FileDownload, ATransferThatHearsNothingForTheStallLimitIsResumed) {
  // Silent for 3 s, 60 s on the test's clock: twice the stall limit.
  const std::u16string key = RunKey("stall");
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000?stall=3", 300000).ok());
  const auto limit = std::chrono::milliseconds(kStallLimitMilliseconds / test::kClockSpeed);
  EXPECT_GE(Clock::now() - start, limit);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
}

TEST_F(FileDownload, CancelDuringTheReadLoopEndsItAndReportsHalfASecondLater) {
  CancelToken cancel;
  Clock::time_point cancelledAt;
  recorder.onReport = [&](size_t n) {
    if (n == 3) {
      cancel.Cancel();
      cancelledAt = Clock::now();
    }
  };
  EXPECT_EQ(Download(FaultUrl(u"/slow/400000/4096/20"), cancel).failure,
            TransferFailure::Cancelled);
  const Report& last = recorder.reports.back();
  EXPECT_EQ(last.info.state, DownloadState::Cancelled);
  EXPECT_EQ(recorder.reports.size(), 4u);  // three chunks, then the final report
  EXPECT_GE(last.at - cancelledAt, std::chrono::milliseconds(490));
  EXPECT_LT(bytes.size(), 400000u);
}

TEST_F(FileDownload, CancelRightAfterTheSendWritesNothing) {
  CancelToken cancel;
  cancel.Cancel();
  EXPECT_EQ(Download(NginxUrl(u"/pkg-40961.bin"), cancel).failure, TransferFailure::Cancelled);
  EXPECT_TRUE(bytes.empty());
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
}

TEST_F(FileDownload, PauseStopsReadingAndResumesOnTheSameConnection) {
  CancelToken cancel;
  std::thread resumer;
  recorder.onReport = [&](size_t n) {
    if (n == 2) {
      cancel.Pause();
      resumer = std::thread([&] {
        Sleep(800);
        cancel.Resume();
      });
    }
  };
  EXPECT_TRUE(Download(FaultUrl(u"/slow/60000/2000/6"), cancel).ok());
  resumer.join();
  // One request: reading resumed on the same connection.
  EXPECT_EQ(test::FaultRequests("GET /slow/60000/2000/6 "), 1);
  EXPECT_EQ(bytes, test::Pattern(60000));
  // The longest gap between two reports is the pause.
  auto longest = Clock::duration::zero();
  for (size_t i = 1; i < recorder.reports.size(); ++i) {
    longest = std::max(longest, recorder.reports[i].at - recorder.reports[i - 1].at);
  }
  EXPECT_GE(longest, std::chrono::milliseconds(700));
}

TEST_F(FileDownload, CancelDuringAPauseEndsTheTransfer) {
  CancelToken cancel;
  std::thread canceller;
  recorder.onReport = [&](size_t n) {
    if (n == 2) {
      cancel.Pause();
      canceller = std::thread([&] {
        Sleep(300);
        cancel.Cancel();
      });
    }
  };
  EXPECT_EQ(Download(FaultUrl(u"/slow/60000/2000/5"), cancel).failure, TransferFailure::Cancelled);
  canceller.join();
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  EXPECT_EQ(recorder.reports.size(), 3u);
}

TEST_F(FileDownload, TheWaitBeforeARetryEndsAtOnceOnCancelAndHoldsWhilePaused) {
  options.size = 100;
  // The server asks for 30 s (1.5 s on the test's clock); the cancel comes
  // after 300 ms.
  CancelToken cancel;
  std::thread canceller([&] {
    Sleep(300);
    cancel.Cancel();
  });
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(Download(FaultUrl(u"/busy/" + RunKey("wait") + u"/9/100?after=30"), cancel).failure,
            TransferFailure::Cancelled);
  canceller.join();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1300));
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  // The wait is reported second by second while it lasts.
  EXPECT_EQ(recorder.reports.front().info.state, DownloadState::WaitingToRetry);
  EXPECT_EQ(recorder.reports.front().info.retryInSeconds, 30u);

  // Paused (the close question open) for 1.5 s during a wait: the try comes
  // only after the pause.
  CancelToken held;
  recorder.reports.clear();
  recorder.onReport = [&](size_t n) {
    if (n == 1) held.Pause();
  };
  std::thread resumer([&] {
    Sleep(1500);
    held.Resume();
  });
  const Clock::time_point begun = Clock::now();
  EXPECT_TRUE(Download(FaultUrl(u"/busy/" + RunKey("held") + u"/1/100"), held).ok());
  resumer.join();
  EXPECT_GE(Clock::now() - begun, std::chrono::milliseconds(1500));
}

// Cancels once `ready` says so; the time of the cancel is kept.
class LateCancel {
 public:
  explicit LateCancel(std::function<bool()> ready)
      : thread_([this, ready] {
          while (!ready()) Sleep(10);
          Sleep(300);
          at = Clock::now();
          token.Cancel();
        }) {}
  ~LateCancel() { thread_.join(); }
  CancelToken token;
  Clock::time_point at;

 private:
  std::thread thread_;
};

TEST_F(FileDownload, ACancelEndsATransferWithinASecondWhileTheServerIsSilent) {
  // In the middle of the body: the final record follows the cancel by half
  // a second, by design. The silence is shorter than the stall limit.
  std::atomic<uint64_t> received{0};
  recorder.onReport = [&](size_t n) { received = recorder.reports[n - 1].info.received; };
  {
    LateCancel cancel([&] { return received >= 150000; });
    options.size = 300000;
    EXPECT_EQ(
        Download(FaultUrl(u"/resume/" + RunKey("quiet") + u"/300000/150000?stall=1"), cancel.token)
            .failure,
        TransferFailure::Cancelled);
    options.size = 0;
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1500));
    EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  }
  // Before the answer's headers, for a file and for a size query.
  const Clock::time_point start = Clock::now();
  {
    LateCancel cancel([] { return true; });
    EXPECT_EQ(Download(FaultUrl(u"/silent/" + RunKey("file") + u"/5/100"), cancel.token).failure,
              TransferFailure::Cancelled);
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1500));
  }
  {
    LateCancel cancel([] { return true; });
    const SizeResult size = QueryRemoteFileSize(FaultUrl(u"/silent/" + RunKey("size") + u"/5/100"),
                                                cancel.token, nullptr, options.retry);
    EXPECT_EQ(size.result.failure, TransferFailure::Cancelled);
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1000));
  }
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace vwi
