#include "download/cancel_token.h"
#include "download/transfers.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(CancelToken, PausesAndResumesAndACancelEndsAPause) {
  CancelToken token;
  EXPECT_FALSE(token.IsCancelled());
  EXPECT_FALSE(token.IsPaused());
  token.Pause();
  EXPECT_TRUE(token.IsPaused());
  token.Resume();
  EXPECT_FALSE(token.IsPaused());
  // Nothing waits for the user once they have said no.
  token.Pause();
  token.Cancel();
  EXPECT_TRUE(token.IsCancelled());
  EXPECT_FALSE(token.IsPaused());
  const NeverCancelled never;
  EXPECT_FALSE(never.IsCancelled() || never.IsPaused());
}

}  // namespace
}  // namespace vwi
