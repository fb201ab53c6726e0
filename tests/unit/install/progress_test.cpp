#include "install/progress.h"

#include <gtest/gtest.h>

#include "install/install_status.h"

namespace vwi {
namespace {

std::vector<uint32_t> Normalised(std::vector<uint32_t> w) {
  NormaliseWeights(w);
  return w;
}

TEST(NormaliseWeights, SumsToHundredWithRemainderOnLast) {
  EXPECT_EQ(Normalised({40, 50, 5}), (std::vector<uint32_t>{42, 52, 6}));
  EXPECT_EQ(Normalised({40, 40, 50, 5, 5}), (std::vector<uint32_t>{28, 28, 35, 3, 6}));
  EXPECT_EQ(Normalised({50, 5}), (std::vector<uint32_t>{90, 10}));
  EXPECT_EQ(Normalised({50}), (std::vector<uint32_t>{100}));
  EXPECT_EQ(Normalised({}), (std::vector<uint32_t>{}));
  EXPECT_EQ(Normalised({0, 0}), (std::vector<uint32_t>{0, 100}));
}

TEST(WeightedPercent, AddsEarlierWeightsAndAShareOfTheCurrent) {
  const std::vector<uint32_t> w{42, 52, 6};
  EXPECT_FLOAT_EQ(WeightedPercent(w, 1, 50.0f), 68.0f);
  EXPECT_FLOAT_EQ(WeightedPercent(w, 0, 0.0f), 0.0f);
  EXPECT_FLOAT_EQ(WeightedPercent(w, 2, 100.0f), 100.0f);
  EXPECT_FLOAT_EQ(WeightedPercent(w, 3, 0.0f), 100.0f);
  EXPECT_FLOAT_EQ(WeightedPercent(w, static_cast<uint32_t>(-1), 0.0f), 100.0f);
  // A percentage beyond 100 is capped.
  EXPECT_FLOAT_EQ(WeightedPercent(w, 2, 500.0f), 100.0f);
}

struct SnapshotCase : ::testing::Test {
  std::vector<uint32_t> download{42, 52, 6};
  std::vector<uint32_t> install{42, 52, 6};
  ProgressInput At(InstallState state, int32_t index, int32_t percent) {
    return {state, index, percent, &download, &install};
  }
};

TEST_F(SnapshotCase, OverallPercentAcrossBothPhases) {
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Downloading, 1, 50)), 34.0f);
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Installing, 0, 0)), 50.0f);
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Installing, 1, 50)), 84.0f);
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Finished, -1, 0)), 100.0f);
  for (InstallState state : {InstallState::Initial, InstallState::Cancelling, InstallState::Failed,
                             InstallState::Cancelled, static_cast<InstallState>(42)}) {
    EXPECT_FLOAT_EQ(OverallPercent(At(state, 1, 50)), 0.0f);
  }
  // Nothing downloaded: installing alone covers the whole bar.
  download.clear();
  install = {90, 10};
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Installing, 1, 0)), 90.0f);
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Downloading, 0, 50)), 0.0f);
  install.clear();
  EXPECT_FLOAT_EQ(OverallPercent(At(InstallState::Installing, 0, 50)), 0.0f);
}

TEST_F(SnapshotCase, FirstSnapshotRecordsTheStartTick) {
  uint32_t start = 0;
  ProgressSnapshot s = ComputeSnapshot(At(InstallState::Downloading, 0, 0), 5000, start);
  EXPECT_EQ(start, 5000u);
  EXPECT_EQ(s.state, InstallState::Downloading);
  EXPECT_EQ(s.remainingMilliseconds, std::nullopt);
  start = 0;
  s = ComputeSnapshot(At(InstallState::Downloading, 0, 10), 5000, start);
  EXPECT_EQ(s.remainingMilliseconds, 1000u);
  // No progress yet in a later snapshot.
  s = ComputeSnapshot(At(InstallState::Downloading, 0, 0), 9000, start);
  EXPECT_EQ(start, 5000u);
  EXPECT_EQ(s.remainingMilliseconds, std::nullopt);
}

TEST_F(SnapshotCase, RemainingTimeFromThePhasePercentage) {
  // Phase at 25 % after 60,000 ms: 240,000 in total, 180,000 to go.
  download = {100};
  uint32_t start = 1000;
  ProgressSnapshot s = ComputeSnapshot(At(InstallState::Downloading, 0, 25), 61000, start);
  EXPECT_FLOAT_EQ(s.percent, 12.5f);
  EXPECT_EQ(s.remainingMilliseconds, 180000u);
  // A tiny phase share after a long wait: the estimate saturates at the
  // longest time the tick count can tell rather than wrapping to a short one.
  start = 1000;
  s = ComputeSnapshot(At(InstallState::Downloading, 0, 1), 50001000,
                      start);  // 1 % of the phase after 50,000 s
  EXPECT_EQ(s.remainingMilliseconds, 0xFFFFFFFFu - 50000000u);
  // The same across the tick counter's wrap-around.
  start = 0xFFFFFFFFu - 29999u;
  s = ComputeSnapshot(At(InstallState::Downloading, 0, 25), 30000, start);
  EXPECT_EQ(s.remainingMilliseconds, 180000u);
  // Install phase after downloads: its own percentage, time since the first snapshot.
  install = {100};
  start = 1000;
  s = ComputeSnapshot(At(InstallState::Installing, 0, 50), 61000, start);
  EXPECT_FLOAT_EQ(s.percent, 75.0f);
  EXPECT_EQ(s.remainingMilliseconds, 60000u);
}

TEST_F(SnapshotCase, FinishedShowsOneSecond) {
  uint32_t start = 1000;
  ProgressSnapshot s = ComputeSnapshot(At(InstallState::Finished, -1, 0), 61000, start);
  EXPECT_FLOAT_EQ(s.percent, 100.0f);
  EXPECT_EQ(s.state, InstallState::Finished);
  EXPECT_EQ(s.remainingMilliseconds, 1000u);
  // Nothing done yet after a long wait: no estimate, never undefined arithmetic.
  install = {100};
  download.clear();
  s = ComputeSnapshot({InstallState::Installing, 0, 0, &download, &install}, 0xFFFFFF00u, start);
  EXPECT_EQ(s.remainingMilliseconds, std::nullopt);
}

TEST(InstallStatus, AWaitToRetryIsReportedUntilTheNextReport) {
  InstallStatus status;
  status.SetWeights({100}, {100});
  status.ReportRetryWait(4);  // before the downloads: ignored
  EXPECT_EQ(status.Read().retryInSeconds, 0u);
  status.ReportStatus(InstallState::Downloading, 0, 40, u"main.msi");
  status.ReportRetryWait(2);
  ProgressSnapshot s = status.Snapshot(1000);
  EXPECT_EQ(s.retryInSeconds, 2u);
  EXPECT_EQ(s.remainingMilliseconds, std::nullopt);
  EXPECT_FLOAT_EQ(s.percent, 20.0f);  // the bar stays where it was
  status.ReportStatus(InstallState::Downloading, 0, 41, u"main.msi");
  EXPECT_EQ(status.Snapshot(3000).retryInSeconds, 0u);
}

TEST(InstallStatus, AWaitForABusyInstallerHoldsTheBarUntilTheNextReport) {
  InstallStatus status;
  status.SetWeights({100}, {100});
  status.ReportStatus(InstallState::Downloading, 0, 40, u"main.msi");
  status.ReportInstallerBusy();  // only packages wait for the Windows Installer
  EXPECT_FALSE(status.Read().installerBusy);
  status.ReportStatus(InstallState::Installing, 0, 0, u"main.msi");
  status.ReportInstallerBusy();
  ProgressSnapshot s = status.Snapshot(1000);
  EXPECT_TRUE(s.installerBusy);
  EXPECT_EQ(s.remainingMilliseconds, std::nullopt);
  EXPECT_FLOAT_EQ(s.percent, 50.0f);
  status.ReportStatus(InstallState::Installing, 0, 10, u"main.msi");
  EXPECT_FALSE(status.Snapshot(3000).installerBusy);
}

TEST(InstallStatus, ReportsAreIgnoredWhileCancellingExceptCancelled) {
  InstallStatus status;
  status.ReportStatus(InstallState::Downloading, 1, 30, u"main.msi");
  InstallStatusFields f = status.Read();
  EXPECT_EQ(f.state, InstallState::Downloading);
  EXPECT_EQ(f.itemIndex, 1);
  EXPECT_EQ(f.itemPercent, 30);
  EXPECT_EQ(f.itemText, u"main.msi");
  status.ReportStatus(InstallState::Cancelling, -1, 0, u"");
  status.ReportStatus(InstallState::Downloading, 1, 40, u"main.msi");
  status.ReportStatus(InstallState::Failed, -1, 0, u"");
  EXPECT_EQ(status.Read().state, InstallState::Cancelling);
  status.ReportStatus(InstallState::Cancelled, -1, 0, u"");
  f = status.Read();
  EXPECT_EQ(f.state, InstallState::Cancelled);
  EXPECT_EQ(f.itemIndex, -1);
  EXPECT_TRUE(IsFinalState(f.state));
  EXPECT_FALSE(IsFinalState(InstallState::Cancelling));
}

TEST(InstallStatus, WeightsAreNormalisedAndSnapshotKeepsTheStartTick) {
  InstallStatus status;
  status.SetWeights({40, 50, 5}, {40, 40, 50, 5, 5});
  InstallStatusFields f = status.Read();
  EXPECT_EQ(f.downloadWeights, (std::vector<uint32_t>{42, 52, 6}));
  EXPECT_EQ(f.installWeights, (std::vector<uint32_t>{28, 28, 35, 3, 6}));
  status.ReportStatus(InstallState::Downloading, 1, 50, u"x");
  ProgressSnapshot s = status.Snapshot(777);
  EXPECT_FLOAT_EQ(s.percent, 34.0f);
  EXPECT_EQ(s.state, InstallState::Downloading);
  EXPECT_EQ(status.Read().startTick, 777u);
  status.Snapshot(999);
  EXPECT_EQ(status.Read().startTick, 777u);
}

}  // namespace
}  // namespace vwi
