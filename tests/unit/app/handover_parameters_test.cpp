#include "app/handover_parameters.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(HandOverParameters, PassesTheRunsOwnOptionsAfterSkipValidation) {
  AppFlags flags;
  EXPECT_EQ(HandOverParameters(flags, u""), u"/n");
  flags.silentMode = true;
  EXPECT_EQ(HandOverParameters(flags, u""), u"/n /s");
  flags.launchAfterInstall = true;
  flags.requestedLanguage = u"1031";
  EXPECT_EQ(HandOverParameters(flags, u"C:\\Logs\\setup.log"),
            u"/n /s /l /lang 1031 /log C:\\Logs\\setup.log");
  EXPECT_EQ(HandOverParameters(flags, u"C:\\Deploy Logs\\setup.log"),
            u"/n /s /l /lang 1031 /log \"C:\\Deploy Logs\\setup.log\"");
}

TEST(HandOverParameters, QuotesAsTheCommandLineSplitReadsBack) {
  EXPECT_EQ(QuoteArgument(u"plain"), u"plain");
  EXPECT_EQ(QuoteArgument(u""), u"\"\"");
  EXPECT_EQ(QuoteArgument(u"a b"), u"\"a b\"");
  // Backslashes stay single unless a quote follows them.
  EXPECT_EQ(QuoteArgument(u"C:\\My Logs\\"), u"\"C:\\My Logs\\\\\"");
  EXPECT_EQ(QuoteArgument(u"say \"hi\""), u"\"say \\\"hi\\\"\"");
  EXPECT_EQ(QuoteArgument(u"a\\\"b"), u"\"a\\\\\\\"b\"");
}

}  // namespace
}  // namespace vwi
