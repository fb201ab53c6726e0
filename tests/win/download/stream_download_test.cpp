// Downloads into memory: the headers every request of the installer
// carries, whole bodies or failures, and a try made again from the start.
#include "download/win/stream_download.h"

#include <gtest/gtest.h>

#include "download/win/internet_session.h"
#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using test::FaultUrl;
using test::NginxUrl;
using test::RequestsSeen;
using test::RunKey;
using StreamDownload = test::TransferCase;

std::string Headers(const std::u16string& referer = u"") {
  RefererUrl() = referer;
  StringSink out;
  NeverCancelled never;
  EXPECT_TRUE(DownloadToStream(never, FaultUrl(u"/headers"), out).ok());
  RefererUrl().clear();
  return out.text;
}

TEST_F(StreamDownload, TheRequestCarriesTheInstallersHeaders) {
  const std::string headers = Headers();
  EXPECT_NE(headers.find("GET /headers HTTP/1.1"), std::string::npos) << headers;
  EXPECT_NE(headers.find("User-Agent: Vimzee Web Installer Client"), std::string::npos) << headers;
  EXPECT_NE(headers.find("Content-Type: application/json"), std::string::npos) << headers;
  EXPECT_NE(headers.find("application/xml"), std::string::npos) << headers;
  EXPECT_EQ(headers.find("Referer:"), std::string::npos) << headers;
  EXPECT_NE(Headers(u"http://example.invalid/from").find("Referer: http://example.invalid/from"),
            std::string::npos);
}

TEST_F(StreamDownload, GetsTheWholeBodyOrFailsWithTheKind) {
  StringSink out;
  ASSERT_TRUE(DownloadToStream(never, NginxUrl(u"/version-ok.xml"), out, options.retry).ok());
  const std::vector<uint8_t> served = test::ServedBytes("version-ok.xml");
  EXPECT_EQ(out.text, std::string(served.begin(), served.end()));

  StringSink big;
  ASSERT_TRUE(DownloadToStream(never, NginxUrl(u"/main.msi"), big, options.retry).ok());
  const std::vector<uint8_t> msi = test::ServedBytes("main.msi");
  EXPECT_EQ(big.text, std::string(msi.begin(), msi.end()));

  StringSink page;
  const TransferResult notFound =
      DownloadToStream(never, FaultUrl(u"/status/404?len=20"), page, options.retry);
  EXPECT_EQ(notFound.failure, TransferFailure::Status);
  EXPECT_EQ(notFound.status, 404u);
  EXPECT_TRUE(page.text.empty());
  StringSink cut;
  EXPECT_EQ(DownloadToStream(never, FaultUrl(u"/cut/50000/20000"), cut, options.retry).failure,
            TransferFailure::Dropped);
  StringSink none;
  const TransferResult refused =
      DownloadToStream(never, u"http://127.0.0.1:1/x", none, options.retry);
  EXPECT_EQ(refused.failure, TransferFailure::NoConnection);
  EXPECT_EQ(refused.systemCode, 12029u);
  EXPECT_EQ(DownloadToStream(never, u"bad", none, options.retry).failure,
            TransferFailure::BadAddress);
}

TEST_F(StreamDownload, ATryIsMadeAgainFromTheStart) {
  const std::u16string key = RunKey("stream");
  StringSink out;
  ASSERT_TRUE(
      DownloadToStream(never, FaultUrl(u"/resume/" + key + u"/90000/30000"), out, options.retry)
          .ok());
  const std::vector<uint8_t> pattern = test::Pattern(90000);
  EXPECT_EQ(out.text, std::string(pattern.begin(), pattern.end()));
  EXPECT_EQ(RequestsSeen(key), (std::vector<std::string>{"- 200", "- 200"}));
}

}  // namespace
}  // namespace vwi
