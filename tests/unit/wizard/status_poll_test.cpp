#include "wizard/status_poll.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace vwi {
namespace {

TEST(StatusPoll, RunningStatesKeepPolling) {
  const AppFlags flags;
  for (InstallState state : {InstallState::Initial, InstallState::Downloading,
                             InstallState::Installing, InstallState::Cancelling}) {
    EXPECT_EQ(DecidePoll(state, flags), PollAction::kKeepPolling) << static_cast<int>(state);
    EXPECT_FALSE(IsFinalState(state));
  }
}

TEST(StatusPoll, FinishedLeadsToTheSuccessPanelUnlessSilentOrLaunching) {
  AppFlags flags;
  EXPECT_EQ(DecidePoll(InstallState::Finished, flags), PollAction::kShowSuccessPanel);
  flags.silentMode = true;
  EXPECT_EQ(DecidePoll(InstallState::Finished, flags), PollAction::kCloseWizard);
  flags.launchAfterInstall = true;  // "/l" wins over "/s"
  EXPECT_EQ(DecidePoll(InstallState::Finished, flags), PollAction::kLaunchAndClose);
}

TEST(StatusPoll, FailedAndCancelledEndTheWizard) {
  AppFlags flags;
  flags.launchAfterInstall = true;
  EXPECT_EQ(DecidePoll(InstallState::Failed, flags), PollAction::kCloseWizard);
  EXPECT_EQ(DecidePoll(InstallState::Cancelled, flags), PollAction::kCloseWizard);
}

TEST(StatusPoll, BarAndLabel) {
  EXPECT_EQ(ProgressBarPosition(42.46f), 424);
  EXPECT_EQ(PercentLabel(42.46f), u"42.5%");
  EXPECT_EQ(ProgressBarPosition(0.0f), 0);
  EXPECT_EQ(PercentLabel(0.0f), u"0.0%");
  EXPECT_EQ(ProgressBarPosition(100.0f), 1000);
  EXPECT_EQ(PercentLabel(100.0f), u"100.0%");
  EXPECT_EQ(ProgressBarPosition(250.0f), 1000);
  EXPECT_EQ(ProgressBarPosition(-3.0f), 0);
}

// The label reads as printf's "%.1f%%" would write it, ties rounded to even.
TEST(StatusPoll, LabelMatchesTheFormatterForEveryTenthAndTie) {
  for (int i = 0; i <= 20000; ++i) {
    for (const float percent : {i / 200.0f, i * 0.005f + 0.00001f, -i / 200.0f}) {
      char text[32];
      std::snprintf(text, sizeof text, "%.1f%%", static_cast<double>(percent));
      const std::string expected(text);
      ASSERT_EQ(PercentLabel(percent), std::u16string(expected.begin(), expected.end())) << percent;
    }
  }
}

}  // namespace
}  // namespace vwi
