#include "download/retry_rule.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TransferResult Failed(TransferFailure failure) { return {failure, 0, std::nullopt}; }

TransferResult Answered(uint32_t status, std::optional<uint32_t> retryAfter = std::nullopt) {
  return {TransferFailure::Status, status, retryAfter};
}

TEST(RetryRule, OnlyTheNetworkAndBusyServersAreTransient) {
  for (TransferFailure f : {TransferFailure::NoConnection, TransferFailure::Dropped,
                            TransferFailure::TimedOut, TransferFailure::Stalled}) {
    EXPECT_TRUE(IsTransient(Failed(f))) << static_cast<int>(f);
  }
  for (uint32_t s : {408u, 429u, 500u, 502u, 503u, 504u}) EXPECT_TRUE(IsTransient(Answered(s)));
  for (uint32_t s : {400u, 401u, 403u, 404u, 410u, 416u, 501u, 505u}) {
    EXPECT_FALSE(IsTransient(Answered(s))) << s;
  }
  for (TransferFailure f :
       {TransferFailure::None, TransferFailure::DigestMismatch, TransferFailure::DiskFull,
        TransferFailure::Cancelled, TransferFailure::Other}) {
    EXPECT_FALSE(IsTransient(Failed(f))) << static_cast<int>(f);
  }
}

TEST(RetryRule, ThreeMoreTriesAfterOneTwoAndFourSeconds) {
  const TransferResult dropped = Failed(TransferFailure::Dropped);
  for (int used = 0; used < 3; ++used) {
    const RetryDecision d = DecideRetry(used, dropped, false);
    EXPECT_TRUE(d.retry);
    EXPECT_EQ(d.waitMilliseconds, 1000u << used);
    EXPECT_FALSE(d.fromScratch);
  }
  EXPECT_FALSE(DecideRetry(3, dropped, false).retry);
  // A permanent answer is final at once, without a wait.
  const RetryDecision missing = DecideRetry(0, Answered(404), false);
  EXPECT_FALSE(missing.retry);
  EXPECT_EQ(missing.waitMilliseconds, 0u);
  EXPECT_FALSE(DecideRetry(0, Failed(TransferFailure::DiskFull), false).retry);
}

TEST(RetryRule, RetryAfterIsHonouredUpToThirtySeconds) {
  EXPECT_EQ(DecideRetry(0, Answered(503, 7), false).waitMilliseconds, 7000u);
  EXPECT_EQ(DecideRetry(2, Answered(429, 0), false).waitMilliseconds, 0u);
  EXPECT_EQ(DecideRetry(0, Answered(503, 3600), false).waitMilliseconds, 30000u);
  EXPECT_FALSE(DecideRetry(3, Answered(503, 1), false).retry);
  EXPECT_EQ(ParseRetryAfter(u" 120 "), 120u);
  EXPECT_EQ(ParseRetryAfter(u"99999999999"), 0xFFFFFFFFu);
  for (const char16_t* text : {u"", u"-5", u"1.5", u"Wed, 21 Oct 2026 07:28:00 GMT", u"12s"}) {
    EXPECT_EQ(ParseRetryAfter(text), std::nullopt) << static_cast<int>(text[0]);
  }
}

TEST(RetryRule, AWrongPackageIsFetchedOnceMoreFromScratch) {
  const RetryDecision first = DecideRetry(0, Failed(TransferFailure::DigestMismatch), false);
  EXPECT_TRUE(first.retry);
  EXPECT_TRUE(first.fromScratch);
  EXPECT_EQ(first.waitMilliseconds, 0u);
  EXPECT_FALSE(DecideRetry(0, Failed(TransferFailure::DigestMismatch), true).retry);
}

TEST(ResumeRule, ContentRangeIsReadStrictly) {
  const auto r = ParseContentRange(u"bytes 100-199/200");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->first, 100u);
  EXPECT_EQ(r->last, 199u);
  EXPECT_EQ(r->total, 200u);
  const auto open = ParseContentRange(u"bytes 0-9/*");
  ASSERT_TRUE(open);
  EXPECT_EQ(open->total, std::nullopt);
  for (const char16_t* text : {u"", u"bytes */200", u"bytes 5-4/10", u"bytes 0-9/9",
                               u"items 0-9/10", u"bytes 0-9", u"bytes a-9/10", u"bytes -1-9/10"}) {
    EXPECT_EQ(ParseContentRange(text), std::nullopt);
  }
}

TEST(ResumeRule, OnlyAnAnswerThatContinuesAtTheOffsetIsAppended) {
  const auto rest = ParseContentRange(u"bytes 500-999/1000");
  EXPECT_EQ(JudgeResumeAnswer(206, rest, 500, 1000), ResumeAnswer::Append);
  EXPECT_EQ(JudgeResumeAnswer(206, rest, 500, 0), ResumeAnswer::Append);
  EXPECT_EQ(JudgeResumeAnswer(200, std::nullopt, 500, 1000), ResumeAnswer::StartOver);
  // Another place, another file, a short or missing range, another status.
  EXPECT_EQ(JudgeResumeAnswer(206, rest, 400, 1000), ResumeAnswer::Failed);
  EXPECT_EQ(JudgeResumeAnswer(206, ParseContentRange(u"bytes 500-999/2000"), 500, 1000),
            ResumeAnswer::Failed);
  EXPECT_EQ(JudgeResumeAnswer(206, ParseContentRange(u"bytes 500-899/1000"), 500, 1000),
            ResumeAnswer::Failed);
  EXPECT_EQ(JudgeResumeAnswer(206, std::nullopt, 500, 1000), ResumeAnswer::Failed);
  EXPECT_EQ(JudgeResumeAnswer(416, std::nullopt, 500, 1000), ResumeAnswer::Failed);
}

TEST(ResumeRule, ABodyMustEndExactlyAtTheAnnouncedSize) {
  // A whole body and a resumed one that agree with the announced size.
  EXPECT_EQ(BodyEnd(0, 2000, 2000), 2000);
  EXPECT_EQ(BodyEnd(1000, 1000, 2000), 2000);
  // A 206 of bytes 1000-1999/2000 that announces 500 bytes would end
  // "complete" at 1,500: refused before a byte is written.
  EXPECT_EQ(BodyEnd(1000, 500, 2000), std::nullopt);
  EXPECT_EQ(BodyEnd(0, 2001, 2000), std::nullopt);
  // Without a length of its own the body must still come to the size.
  EXPECT_EQ(BodyEnd(0, -1, 2000), 2000);
  EXPECT_EQ(BodyEnd(1000, -1, 2000), 2000);
  // Nothing known: the body's end decides; an answer's own length holds.
  EXPECT_EQ(BodyEnd(0, -1, 0), -1);
  EXPECT_EQ(BodyEnd(0, 700, 0), 700);
  // No overflow from a hostile length.
  EXPECT_EQ(BodyEnd(UINT64_MAX / 2 + 1, INT64_MAX, 0), std::nullopt);
}

TEST(ResumeRule, IfRangeCarriesAStrongETagElseTheDate) {
  EXPECT_EQ(ResumeValidator(u"\"abc\"", u"Tue, 08 Dec 2026 10:00:00 GMT"), u"\"abc\"");
  EXPECT_EQ(ResumeValidator(u"W/\"abc\"", u"Tue, 08 Dec 2026 10:00:00 GMT"),
            u"Tue, 08 Dec 2026 10:00:00 GMT");
  EXPECT_EQ(ResumeValidator(u"", u" Tue, 08 Dec 2026 10:00:00 GMT "),
            u"Tue, 08 Dec 2026 10:00:00 GMT");
  EXPECT_EQ(ResumeValidator(u"", u""), std::nullopt);
  // A hostile answer cannot put a header of its own into the next request.
  EXPECT_EQ(ResumeValidator(u"\"a\r\nX-Evil: 1\"", u"Tue, 08 Dec 2026 10:00:00 GMT"),
            u"Tue, 08 Dec 2026 10:00:00 GMT");
  EXPECT_EQ(ResumeValidator(u"", u"Tue\n, 08 Dec"), std::nullopt);
  EXPECT_EQ(ResumeValidator(u"\"" + std::u16string(300, u'a') + u"\"", u""), std::nullopt);
}

}  // namespace
}  // namespace vwi
