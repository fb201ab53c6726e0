#include "download/win/http_transfer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <thread>

#include "download/win/cancel_request.h"
#include "download/win/internet_session.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"
#include "win/download/test_servers.h"

namespace vwi {
namespace {

using test::FaultUrl;
using test::NginxUrl;
using Clock = std::chrono::steady_clock;

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

class Transfer : public ::testing::Test {
 protected:
  void SetUp() override { VWI_REQUIRE_SERVERS(); }

  // Downloads into a fresh file and returns the result; the bytes land in `bytes`.
  bool Download(const std::u16string& url, ICancelRequest& cancel,
                const TransferOptions& options = {}) {
    const std::wstring path = folder.File(L"target.bin");
    DeleteFileW(path.c_str());
    std::unique_ptr<IHeldFolder> held = OpenHeldFolder(FromWide(folder.path()), false).folder;
    std::unique_ptr<INewFile> file = held ? held->MakeFile(u"target.bin") : nullptr;
    EXPECT_TRUE(file);
    if (!file) return false;
    const bool result = DownloadToFile(cancel, url, *file, recorder, options);
    file.reset();
    bytes = test::ReadBytes(path);
    return result;
  }
  bool Download(const std::u16string& url) {
    CancelRequest never;
    return Download(url, never);
  }
  // A fault-server download whose size is known, as the download phase makes it.
  bool Resumed(const std::u16string& path, uint64_t size) {
    CancelRequest never;
    TransferOptions options;
    options.size = size;
    return Download(FaultUrl(path), never, options);
  }

  test::TempFolder folder;
  Recorder recorder;
  std::vector<uint8_t> bytes;
};

TEST_F(Transfer, SizeQueryFollowsTheStatusRule) {
  EXPECT_EQ(QueryRemoteFileSize(NginxUrl(u"/pkg-40961.bin")), 40961);
  EXPECT_EQ(QueryRemoteFileSize(NginxUrl(u"/missing.bin")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/404?len=77")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/403?len=77")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/401?len=77")), 77);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/402?len=78")), 78);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/405?len=79")), 79);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/500?len=80")), 80);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/501?len=81")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/500?nolen=80")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/nolen/500")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/bytes/0")), 0);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/redirect?to=/bytes/1234")), 1234);
}

// The size query asks with HEAD, so the server sends no body for it; a
// server that does not answer HEAD (the fault server) is asked with GET, and
// the status rule above holds for both.
TEST_F(Transfer, TheSizeQueryBringsNoBody) {
  // The servers' logs outlive a run: this run's requests carry its own mark.
  const std::string mark =
      std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
  const std::u16string mark16(mark.begin(), mark.end());
  EXPECT_EQ(QueryRemoteFileSize(NginxUrl(u"/main.msi?once-" + mark16)), 123457);
  const std::vector<std::string> lines =
      test::LogLinesWith(test::ServerLog(L"nginx-access.log"), "/main.msi?once-" + mark);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("\"HEAD /main.msi?once-" + mark + " HTTP/1.1\" 200 0 "),
            std::string::npos)
      << lines[0];

  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/status/402?len=79&twice-" + mark16)), 79);
  EXPECT_EQ(test::FaultRequests("HEAD /status/402?len=79&twice-" + mark), 1);
  EXPECT_EQ(test::FaultRequests("GET /status/402?len=79&twice-" + mark), 1);
}

TEST_F(Transfer, SizesOfTwoGibibytesAndMoreStayPositive) {
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/huge/2147483648")), 2147483648LL);
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/huge/5000000000")), 5000000000LL);
}

TEST_F(Transfer, SizeQueryFailsQuietlyOnBadUrlsAndNoServer) {
  EXPECT_EQ(QueryRemoteFileSize(u""), 0);
  EXPECT_EQ(QueryRemoteFileSize(u"not a url"), 0);
  EXPECT_EQ(QueryRemoteFileSize(u"http://127.0.0.1:1/none.bin"), 0);
  EXPECT_EQ(QueryRemoteFileSize(u"http://127.0.0.1/" + std::u16string(5000, u'a')), 0);
}

TEST_F(Transfer, FileHoldsExactlyTheServedBody) {
  for (const char* name : {"pkg-40961.bin", "pkg-8192.bin", "one.bin", "main.msi"}) {
    recorder.reports.clear();
    const std::string n = name;
    ASSERT_TRUE(Download(NginxUrl(u"/" + std::u16string(n.begin(), n.end())))) << name;
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

TEST_F(Transfer, BodiesWithoutLengthAndAfterRedirectArriveWhole) {
  ASSERT_TRUE(Download(FaultUrl(u"/nolen/30000")));
  EXPECT_EQ(bytes, test::Pattern(30000));
  ASSERT_TRUE(Download(FaultUrl(u"/redirect?to=/bytes/50001")));
  EXPECT_EQ(bytes, test::Pattern(50001));
}

TEST_F(Transfer, ErrorPageIsNeverWrittenAsThePackage) {
  // A server error is asked again three times; the outcome is the same.
  EXPECT_FALSE(Download(FaultUrl(u"/status/500?len=3000")));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_EQ(recorder.Final().error, 500u);
  EXPECT_EQ(recorder.Final().message, u"Server refused the download.");
  EXPECT_FALSE(Download(FaultUrl(u"/status/401?len=10")));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(Transfer, BodyCutShortIsAFailure) {
  EXPECT_FALSE(Download(FaultUrl(u"/cut/100000/50000")));
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_NE(recorder.Final().error, 0u);
  EXPECT_EQ(recorder.Final().message, u"Internet download file Failed");
  EXPECT_LE(recorder.Final().received, 50000u);
}

TEST_F(Transfer, FailuresBeforeTheReadLoopAreNamed) {
  EXPECT_FALSE(Download(u"::bad::"));
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_EQ(recorder.Final().error, 0u);
  EXPECT_EQ(recorder.Final().message, u"");
  EXPECT_FALSE(Download(u"http://127.0.0.1:1/none.bin"));
  EXPECT_NE(recorder.Final().error, 0u);
  EXPECT_EQ(recorder.Final().message, u"HttpSendRequest Failed.");
  EXPECT_TRUE(bytes.empty());
}

// A key of this run's own for the fault server's per-key answers.
std::u16string RunKey(const char* name) {
  const std::string key = std::string(name) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                          std::to_string(GetTickCount64());
  return std::u16string(key.begin(), key.end());
}

// Each request the fault server saw for `key`: its Range header and the
// status it answered.
std::vector<std::string> RequestsSeen(const std::u16string& key) {
  StringSink out;
  CancelRequest never;
  EXPECT_TRUE(DownloadToStream(never, FaultUrl(u"/seen/" + key), out));
  std::vector<std::string> lines;
  std::istringstream text(out.text);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

TEST_F(Transfer, ADroppedTransferAsksForTheRestAndAppendsIt) {
  const std::u16string key = RunKey("drop");
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000", 300000));
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
  EXPECT_EQ(recorder.Final().state, DownloadState::Finished);
  EXPECT_EQ(recorder.Final().received, 300000u);
}

TEST_F(Transfer, OnlyExactlyTheAnnouncedBytesMakeAWholeFile) {
  // A 206 whose Content-Length covers half its own range would have ended
  // "complete", short of the size.
  const std::u16string key = RunKey("shortrange");
  EXPECT_FALSE(Resumed(u"/resume/" + key + u"/300000/150000?shortrange", 300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
  EXPECT_EQ(bytes, test::Pattern(150000));
  // A whole answer of another length than the size query announced.
  EXPECT_FALSE(Resumed(u"/bytes/1000", 2000));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(Transfer, AServerThatIgnoresTheRangeStartsTheFileOver) {
  const std::u16string key = RunKey("norange");
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000?norange", 300000));
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 200"}));
  // Without a validator nothing can be asked for: the retry starts over.
  const std::u16string bare = RunKey("noetag");
  ASSERT_TRUE(Resumed(u"/resume/" + bare + u"/200000/70000?noetag", 200000));
  EXPECT_EQ(bytes, test::Pattern(200000));
  EXPECT_EQ(RequestsSeen(bare), (std::vector<std::string>{"- 200", "- 200"}));
}

TEST_F(Transfer, ABusyServerIsAskedAgainAndAMissingFileOnlyOnce) {
  const std::u16string key = RunKey("busy");
  ASSERT_TRUE(Resumed(u"/busy/" + key + u"/2/50000?after=1", 50000));
  EXPECT_EQ(bytes, test::Pattern(50000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 503", "- 503", "- 200"}));

  const std::u16string missing = u"/status/404?len=10&" + RunKey("missing");
  EXPECT_FALSE(Resumed(missing, 10));
  const std::string asked(missing.begin(), missing.end());
  EXPECT_EQ(test::FaultRequests("GET " + asked + " "), 1);
}

TEST_F(Transfer, ASizeQueryToldToWaitSaysSo) {
  CancelRequest never;
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/busy/" + RunKey("size") + u"/1/77"), never, &recorder),
            77);
  ASSERT_FALSE(recorder.reports.empty());
  EXPECT_EQ(recorder.reports.front().info.state, DownloadState::WaitingToRetry);
  EXPECT_EQ(recorder.reports.front().info.retryInSeconds, 1u);
}

TEST_F(Transfer, ASizeQueryWhoseConnectionIsResetIsAskedAgain) {
  const std::u16string key = RunKey("reset");
  // WinINet sends a request again by itself once when a kept-alive
  // connection was reset; the second reset is the installer's to retry.
  EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/reset/" + key + u"/2/4321")), 4321);
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 0", "- 0", "- 200"}));
}

TEST_F(Transfer, AStreamIsFetchedAgainFromTheStart) {
  const std::u16string key = RunKey("stream");
  StringSink out;
  CancelRequest never;
  ASSERT_TRUE(DownloadToStream(never, FaultUrl(u"/resume/" + key + u"/90000/30000"), out));
  const std::vector<uint8_t> pattern = test::Pattern(90000);
  EXPECT_EQ(out.text, std::string(pattern.begin(), pattern.end()));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "- 200"}));
}

struct Events {
  UniqueHandleKernel cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueHandleKernel run{CreateEventW(nullptr, TRUE, TRUE, nullptr)};
  CancelRequest Request() { return CancelRequest(cancel.get(), run.get()); }
};

TEST_F(Transfer, CancelDuringTheReadLoopEndsItAndReportsHalfASecondLater) {
  Events events;
  CancelRequest request = events.Request();
  Clock::time_point cancelledAt;
  recorder.onReport = [&](size_t n) {
    if (n == 3) {
      SetEvent(events.cancel.get());
      cancelledAt = Clock::now();
    }
  };
  EXPECT_FALSE(Download(FaultUrl(u"/slow/400000/4096/20"), request));
  const Report& last = recorder.reports.back();
  EXPECT_EQ(last.info.state, DownloadState::Cancelled);
  EXPECT_EQ(recorder.reports.size(), 4u);  // three chunks, then the final report
  EXPECT_GE(last.at - cancelledAt, std::chrono::milliseconds(490));
  EXPECT_LT(bytes.size(), 400000u);
}

TEST_F(Transfer, CancelRightAfterTheSendWritesNothing) {
  Events events;
  SetEvent(events.cancel.get());
  CancelRequest request = events.Request();
  EXPECT_FALSE(Download(NginxUrl(u"/pkg-40961.bin"), request));
  EXPECT_TRUE(bytes.empty());
  ASSERT_EQ(recorder.reports.size(), 1u);
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
}

TEST_F(Transfer, PauseStopsReadingAndResumesOnTheSameConnection) {
  Events events;
  CancelRequest request = events.Request();
  std::thread resumer;
  recorder.onReport = [&](size_t n) {
    if (n == 2) {
      ResetEvent(events.run.get());
      resumer = std::thread([&] {
        Sleep(800);
        SetEvent(events.run.get());
      });
    }
  };
  EXPECT_TRUE(Download(FaultUrl(u"/slow/60000/2000/6"), request));
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

TEST_F(Transfer, CancelDuringAPauseEndsTheTransfer) {
  Events events;
  CancelRequest request = events.Request();
  std::thread canceller;
  recorder.onReport = [&](size_t n) {
    if (n == 2) {
      ResetEvent(events.run.get());
      canceller = std::thread([&] {
        Sleep(300);
        SetEvent(events.cancel.get());
      });
    }
  };
  EXPECT_FALSE(Download(FaultUrl(u"/slow/60000/2000/5"), request));
  canceller.join();
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  EXPECT_EQ(recorder.reports.size(), 3u);
}

std::string Headers(const std::u16string& referer = u"") {
  RefererUrl() = referer;
  StringSink out;
  CancelRequest never;
  EXPECT_TRUE(DownloadToStream(never, FaultUrl(u"/headers"), out));
  RefererUrl().clear();
  return out.text;
}

TEST_F(Transfer, StreamRequestCarriesTheInstallersHeaders) {
  const std::string headers = Headers();
  EXPECT_NE(headers.find("GET /headers HTTP/1.1"), std::string::npos) << headers;
  EXPECT_NE(headers.find("User-Agent: Vimzee Web Installer Client"), std::string::npos) << headers;
  EXPECT_NE(headers.find("Content-Type: application/json"), std::string::npos) << headers;
  EXPECT_NE(headers.find("application/xml"), std::string::npos) << headers;
  EXPECT_EQ(headers.find("Referer:"), std::string::npos) << headers;
  EXPECT_NE(Headers(u"http://example.invalid/from").find("Referer: http://example.invalid/from"),
            std::string::npos);
}

TEST_F(Transfer, StreamGetsTheWholeBodyOrFails) {
  StringSink out;
  CancelRequest never;
  ASSERT_TRUE(DownloadToStream(never, NginxUrl(u"/version-ok.xml"), out));
  const std::vector<uint8_t> served = test::ServedBytes("version-ok.xml");
  EXPECT_EQ(out.text, std::string(served.begin(), served.end()));

  StringSink big;
  ASSERT_TRUE(DownloadToStream(never, NginxUrl(u"/main.msi"), big));
  const std::vector<uint8_t> msi = test::ServedBytes("main.msi");
  EXPECT_EQ(big.text, std::string(msi.begin(), msi.end()));

  StringSink page;
  EXPECT_FALSE(DownloadToStream(never, FaultUrl(u"/status/404?len=20"), page));
  EXPECT_TRUE(page.text.empty());
  StringSink cut;
  EXPECT_FALSE(DownloadToStream(never, FaultUrl(u"/cut/50000/20000"), cut));
  StringSink none;
  EXPECT_FALSE(DownloadToStream(never, u"http://127.0.0.1:1/x", none));
  EXPECT_FALSE(DownloadToStream(never, u"bad", none));
}

TEST_F(Transfer, TheWaitBeforeARetryEndsAtOnceOnCancelAndHoldsWhilePaused) {
  Events events;
  CancelRequest request = events.Request();
  TransferOptions options;
  options.size = 100;
  // The server asks for 30 s; the cancel comes after 300 ms.
  std::thread canceller([&] {
    Sleep(300);
    SetEvent(events.cancel.get());
  });
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(
      Download(FaultUrl(u"/busy/" + RunKey("wait") + u"/9/100?after=30"), request, options));
  canceller.join();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  // The wait is reported second by second while it lasts.
  EXPECT_EQ(recorder.reports.front().info.state, DownloadState::WaitingToRetry);
  EXPECT_EQ(recorder.reports.front().info.retryInSeconds, 30u);

  // Paused (the close question open) for 1.5 s during a 1 s wait: the try
  // comes after both.
  Events paused;
  CancelRequest held = paused.Request();
  recorder.reports.clear();
  recorder.onReport = [&](size_t n) {
    if (n == 1) ResetEvent(paused.run.get());
  };
  std::thread resumer([&] {
    Sleep(1500);
    SetEvent(paused.run.get());
  });
  const Clock::time_point begun = Clock::now();
  EXPECT_TRUE(Download(FaultUrl(u"/busy/" + RunKey("held") + u"/1/100"), held, options));
  resumer.join();
  EXPECT_GE(Clock::now() - begun, std::chrono::milliseconds(2300));
}

TEST_F(Transfer, ATransferThatHearsNothingForHalfAMinuteIsResumed) {
  const std::u16string key = RunKey("stall");
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(Resumed(u"/resume/" + key + u"/300000/150000?stall=40", 300000));
  EXPECT_GE(Clock::now() - start, std::chrono::seconds(30));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(40));
  EXPECT_EQ(bytes, test::Pattern(300000));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "bytes=150000- 206"}));
}

// Cancels once `ready` says so; the time of the cancel is kept.
class LateCancel {
 public:
  explicit LateCancel(std::function<bool()> ready)
      : thread_([this, ready] {
          while (!ready()) Sleep(10);
          Sleep(300);
          at = Clock::now();
          SetEvent(events_.cancel.get());
        }) {}
  ~LateCancel() { thread_.join(); }
  CancelRequest Request() { return events_.Request(); }
  Clock::time_point at;

 private:
  Events events_;
  std::thread thread_;
};

TEST_F(Transfer, ACancelEndsATransferWithinASecondWhileTheServerIsSilent) {
  // In the middle of the body: the final record follows the cancel by half
  // a second, by design.
  std::atomic<uint64_t> received{0};
  recorder.onReport = [&](size_t n) { received = recorder.reports[n - 1].info.received; };
  {
    LateCancel cancel([&] { return received >= 150000; });
    CancelRequest request = cancel.Request();
    TransferOptions options;
    options.size = 300000;
    EXPECT_FALSE(Download(FaultUrl(u"/resume/" + RunKey("quiet") + u"/300000/150000?stall=20"),
                          request, options));
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1500));
    EXPECT_EQ(recorder.Final().state, DownloadState::Cancelled);
  }
  // Before the answer's headers, for a file and for a size query.
  const Clock::time_point start = Clock::now();
  {
    LateCancel cancel([] { return true; });
    CancelRequest request = cancel.Request();
    EXPECT_FALSE(Download(FaultUrl(u"/silent/" + RunKey("file") + u"/20/100"), request));
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1500));
  }
  {
    LateCancel cancel([] { return true; });
    CancelRequest request = cancel.Request();
    EXPECT_EQ(QueryRemoteFileSize(FaultUrl(u"/silent/" + RunKey("size") + u"/20/100"), request), 0);
    EXPECT_LT(Clock::now() - cancel.at, std::chrono::milliseconds(1000));
  }
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(CancelRequest, NullHandlesNeverCancelOrPause) {
  CancelRequest none;
  EXPECT_FALSE(none.IsCancelled());
  EXPECT_FALSE(none.IsPaused());
  Events events;
  CancelRequest request = events.Request();
  EXPECT_FALSE(request.IsCancelled());
  EXPECT_FALSE(request.IsPaused());
  ResetEvent(events.run.get());
  SetEvent(events.cancel.get());
  EXPECT_TRUE(request.IsCancelled());
  EXPECT_TRUE(request.IsPaused());
}

TEST(UrlSplit, PathAndQueryAreKeptApartAndUndecoded) {
  std::optional<UrlParts> p = SplitUrl(u"https://user:pw@dl.example.com:8443/a%20b/c.msi?x=1&y=2");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->scheme, INTERNET_SCHEME_HTTPS);
  EXPECT_EQ(p->host, L"dl.example.com");
  EXPECT_EQ(p->port, 8443);
  EXPECT_EQ(p->user, L"user");
  EXPECT_EQ(p->password, L"pw");
  EXPECT_EQ(p->path, L"/a%20b/c.msi");
  EXPECT_EQ(p->extra, L"?x=1&y=2");
  EXPECT_FALSE(SplitUrl(u"no scheme"));
  EXPECT_FALSE(SplitUrl(u"http://h/" + std::u16string(4100, u'p')));
}

}  // namespace
}  // namespace vwi
