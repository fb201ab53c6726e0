#include "download/request_shape.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vwi
