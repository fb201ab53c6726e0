#include "download/request_shape.h"

#include <gtest/gtest.h>

#include "download/download_job.h"
#include "download/progress.h"

namespace vwi {
namespace {

TEST(RequestFlags, PlainAndSecureShapesWithoutCertificateRelaxations) {
  EXPECT_EQ(RequestFlags(RequestKind::SizeQuery, false), 0x80000200u);
  EXPECT_EQ(RequestFlags(RequestKind::StreamDownload, false), 0x80000200u);
  EXPECT_EQ(RequestFlags(RequestKind::FileDownload, false), 0x84400200u);
  // Secure requests check the certificate's dates and host name.
  EXPECT_EQ(RequestFlags(RequestKind::SizeQuery, true), 0x80800200u);
  EXPECT_EQ(RequestFlags(RequestKind::StreamDownload, true), 0x80800200u);
  EXPECT_EQ(RequestFlags(RequestKind::FileDownload, true), 0x84C00200u);
  for (auto kind :
       {RequestKind::SizeQuery, RequestKind::FileDownload, RequestKind::StreamDownload}) {
    EXPECT_EQ(RequestFlags(kind, true) &
                  (request_flags::kIgnoreCertDateInvalid | request_flags::kIgnoreCertCnInvalid),
              0u);
  }
}

TEST(StatusRules, SizeQueryAndBodyAcceptance) {
  for (uint32_t s : {200u, 206u, 301u, 401u, 402u, 405u, 500u})
    EXPECT_TRUE(IsAcceptedSizeStatus(s));
  for (uint32_t s : {0u, 100u, 199u, 403u, 404u, 501u, 503u}) EXPECT_FALSE(IsAcceptedSizeStatus(s));
  for (uint32_t s : {200u, 204u, 299u}) EXPECT_TRUE(IsBodyStatus(s));
  for (uint32_t s : {199u, 300u, 302u, 401u, 404u, 500u}) EXPECT_FALSE(IsBodyStatus(s));
}

// Only a success with a length settles the size; anything else (a refusal,
// a link signed for GET only, no length, a length of 0) is asked again with GET.
TEST(StatusRules, AHeadAnswerCountsOnlyAsASuccessWithALength) {
  EXPECT_TRUE(IsDefiniteHeadAnswer(200, 123457));
  EXPECT_TRUE(IsDefiniteHeadAnswer(203, 5000000000LL));
  for (uint32_t s : {301u, 401u, 403u, 404u, 405u, 500u, 501u})
    EXPECT_FALSE(IsDefiniteHeadAnswer(s, 77)) << s;
  EXPECT_FALSE(IsDefiniteHeadAnswer(200, std::nullopt));
  EXPECT_FALSE(IsDefiniteHeadAnswer(200, 0));
}

TEST(ContentLength, SixtyFourBitsAndNothingForGarbage) {
  EXPECT_EQ(ParseContentLength(u"40961"), 40961);
  EXPECT_EQ(ParseContentLength(u"  2147483648"), 2147483648LL);
  EXPECT_EQ(ParseContentLength(u"5000000000"), 5000000000LL);
  EXPECT_EQ(ParseContentLength(u"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseContentLength(u"9223372036854775808"), std::nullopt);
  // Twenty digits would wrap a 64-bit accumulator back below the limit.
  EXPECT_EQ(ParseContentLength(u"20000000000000000000"), std::nullopt);
  EXPECT_EQ(ParseContentLength(u"36893488147419103232"), std::nullopt);
  EXPECT_EQ(ParseContentLength(u"000000000000000000000042"), 42);
  EXPECT_EQ(ParseContentLength(u"12ab"), 12);
  EXPECT_EQ(ParseContentLength(u"-5"), std::nullopt);
  EXPECT_EQ(ParseContentLength(u""), std::nullopt);
  EXPECT_EQ(ParseContentLength(u"abc"), std::nullopt);
}

TEST(DownloadJob, PercentAndTotalOfTheServersSize) {
  DownloadStatusInfo info;
  info.received = 3000000000ULL;
  info.total = 6000000000ULL;
  EXPECT_EQ(DownloadPercent(info), 50);
  info.total = 0;
  EXPECT_EQ(DownloadPercent(info), 0);
  CDownloadJob job(u"u", u"p");
  std::vector<uint64_t> totals;
  job.OnDownloadStatus(info);  // no callback: nothing happens
  job.callback = [&](const DownloadStatusInfo& i) { totals.push_back(i.total); };
  job.OnDownloadStatus(info);
  job.fileSize = 6000000000LL;
  job.OnDownloadStatus(info);
  EXPECT_EQ(totals, (std::vector<uint64_t>{0, 6000000000ULL}));
}

TEST(DownloadJob, ATryThatStartsOverNeverMovesTheProgressBack) {
  CDownloadJob job(u"u", u"p");
  std::vector<uint64_t> shown;
  job.callback = [&](const DownloadStatusInfo& i) { shown.push_back(i.received); };
  for (uint64_t received : {4096u, 8192u, 0u, 4096u, 12288u}) {
    DownloadStatusInfo info;
    info.received = received;
    job.OnDownloadStatus(info);
  }
  EXPECT_EQ(shown, (std::vector<uint64_t>{4096, 8192, 8192, 8192, 12288}));
}

TEST(FormatWithName, FillsTheFirstNameOnly) {
  EXPECT_EQ(FormatWithName(u"%s is already installed. Would you like to launch it?", u"Vimzee"),
            u"Vimzee is already installed. Would you like to launch it?");
  EXPECT_EQ(FormatWithName(u"%s and %s, 100%% %d", u"A"), u"A and %s, 100% %d");
  EXPECT_EQ(FormatWithName(u"no name %", u"A"), u"no name %");
}

}  // namespace
}  // namespace vwi
