// The size query against nginx and the fault server.
#include "download/win/size_query.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using test::FaultUrl;
using test::NginxUrl;
using test::RequestsSeen;
using test::RunKey;
using SizeQuery = test::TransferCase;

TEST_F(SizeQuery, FollowsTheStatusRule) {
  EXPECT_EQ(SizeOf(NginxUrl(u"/pkg-40961.bin")), 40961);
  EXPECT_EQ(SizeOf(FaultUrl(u"/status/401?len=77")), 77);
  EXPECT_EQ(SizeOf(FaultUrl(u"/status/402?len=78")), 78);
  EXPECT_EQ(SizeOf(FaultUrl(u"/status/405?len=79")), 79);
  EXPECT_EQ(SizeOf(FaultUrl(u"/status/500?len=80")), 80);
  EXPECT_EQ(SizeOf(FaultUrl(u"/redirect?to=/bytes/1234")), 1234);
  // Refused: the status is the failure's.
  for (const auto& [path, status] : {std::pair{NginxUrl(u"/missing.bin"), 404u},
                                     std::pair{FaultUrl(u"/status/404?len=77"), 404u},
                                     std::pair{FaultUrl(u"/status/403?len=77"), 403u},
                                     std::pair{FaultUrl(u"/status/501?len=81"), 501u}}) {
    const SizeResult size = Size(path);
    EXPECT_EQ(size.result.failure, TransferFailure::Status) << Utf8FromUtf16(path);
    EXPECT_EQ(size.result.status, status) << Utf8FromUtf16(path);
  }
  // A success that announces nothing to download is told apart from a failure.
  for (const std::u16string& empty :
       {FaultUrl(u"/status/500?nolen=80"), FaultUrl(u"/nolen/500"), FaultUrl(u"/bytes/0")}) {
    EXPECT_EQ(Size(empty).result.failure, TransferFailure::Empty) << Utf8FromUtf16(empty);
  }
}

// The size query asks with HEAD, so the server sends no body for it; a
// server that does not answer HEAD (the fault server) is asked with GET, and
// the status rule above holds for both.
TEST_F(SizeQuery, BringsNoBody) {
  // The servers' logs outlive a run: this run's requests carry its own mark.
  const std::string mark =
      std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
  const std::u16string mark16(mark.begin(), mark.end());
  EXPECT_EQ(SizeOf(NginxUrl(u"/main.msi?once-" + mark16)), 123457);
  const std::vector<std::string> lines =
      test::LogLinesWith(test::ServerLog(L"nginx-access.log"), "/main.msi?once-" + mark);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("\"HEAD /main.msi?once-" + mark + " HTTP/1.1\" 200 0 "),
            std::string::npos)
      << lines[0];

  EXPECT_EQ(SizeOf(FaultUrl(u"/status/402?len=79&twice-" + mark16)), 79);
  EXPECT_EQ(test::FaultRequests("HEAD /status/402?len=79&twice-" + mark), 1);
  EXPECT_EQ(test::FaultRequests("GET /status/402?len=79&twice-" + mark), 1);
}

TEST_F(SizeQuery, SizesOfTwoGibibytesAndMoreStayPositive) {
  EXPECT_EQ(SizeOf(FaultUrl(u"/huge/2147483648")), 2147483648LL);
  EXPECT_EQ(SizeOf(FaultUrl(u"/huge/5000000000")), 5000000000LL);
}

TEST_F(SizeQuery, BadAddressesAndNoServerFailWithTheirKind) {
  for (const std::u16string& bad : {std::u16string(), std::u16string(u"not a url"),
                                    u"http://127.0.0.1/" + std::u16string(5000, u'a')}) {
    EXPECT_EQ(Size(bad).result.failure, TransferFailure::BadAddress);
  }
  const SizeResult refused = Size(u"http://127.0.0.1:1/none.bin");
  EXPECT_EQ(refused.result.failure, TransferFailure::NoConnection);
  EXPECT_EQ(refused.result.systemCode, 12029u);  // ERROR_INTERNET_CANNOT_CONNECT
}

TEST_F(SizeQuery, ToldToWaitSaysSo) {
  const SizeResult size = QueryRemoteFileSize(FaultUrl(u"/busy/" + RunKey("size") + u"/1/77"),
                                              never, &recorder, options.retry);
  EXPECT_EQ(size.size, 77);
  ASSERT_FALSE(recorder.reports.empty());
  EXPECT_EQ(recorder.reports.front().info.state, DownloadState::WaitingToRetry);
  EXPECT_EQ(recorder.reports.front().info.retryInSeconds, 1u);
}

TEST_F(SizeQuery, AResetConnectionIsAskedAgainAndEndsDroppedWhenItStaysSo) {
  const std::u16string key = RunKey("reset");
  // WinINet sends a request again by itself once when a kept-alive
  // connection was reset; the second reset is the installer's to retry.
  EXPECT_EQ(SizeOf(FaultUrl(u"/reset/" + key + u"/2/4321")), 4321);
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 0", "- 0", "- 200"}));
  const SizeResult reset = Size(FaultUrl(u"/reset/" + RunKey("resets") + u"/99/4321"));
  EXPECT_EQ(reset.result.failure, TransferFailure::Dropped);
}

}  // namespace
}  // namespace vwi
