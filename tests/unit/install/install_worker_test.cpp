#include "install/install_worker.h"

#include <gtest/gtest.h>

#include <memory>

#include <new>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

namespace vwi {
namespace {

int gCancelEvent = 0;
int gRunEvent = 0;

InstallItem Item(std::u16string name, std::u16string path, int32_t runAsProgram) {
  return {name, u"http://127.0.0.1/" + name, std::move(path), u"", 1, runAsProgram};
}

// Steps that record what the worker asked for and answer as configured. A
// hook runs inside a step, as the user interface would act meanwhile.
struct FakeSteps : IInstallSteps {
  std::vector<InstallItem> plan;
  std::vector<uint32_t> downloadWeights;
  std::vector<uint32_t> installWeights;
  std::set<std::u16string> missing;
  bool recheck = true;
  bool download = true;
  FailureCause downloadCause = FailureCause::None;  // why the download phase fails
  std::u16string failingPackage;
  std::u16string restartingPackage;                // its installer asks for a restart (3010)
  FailureCause packageCause = FailureCause::None;  // what the failing package step records
  std::function<void(InstallWorker&, const std::u16string&)> during;  // step name

  std::vector<std::u16string> calls;
  std::vector<InstallStatusFields> seenAtInstall;  // the status when a package starts
  int boxes = 0;
  FailureCause shownCause = FailureCause::None;  // the failure the last box told
  int signals = 0;
  // Runs inside SignalCancel, after the events would have been set.
  std::function<void()> afterSignal;
  int releases = 0;
  std::u16string published = u"<none>";

  void Hook(InstallWorker& worker, const std::u16string& step) {
    calls.push_back(step);
    if (during) during(worker, step);
  }
  void CreateEvents(InstallWorker& worker) override {
    worker.control.cancelEvent = &gCancelEvent;
    worker.control.runEvent = &gRunEvent;
  }
  InstallPlan Prepare() override { return {plan, downloadWeights, installWeights}; }
  void SignalCancel(InstallWorker&) override {
    ++signals;
    if (afterSignal) afterSignal();
  }
  void Release(InstallWorker& worker) override {
    ++releases;
    worker.control.cancelEvent = worker.control.runEvent = nullptr;
  }
  StepResult RecheckVersion(InstallWorker& worker) override {
    Hook(worker, u"recheck");
    return recheck ? StepResult::Passed() : StepResult::Failed(FailureCause::AlreadyInstalled);
  }
  StepResult DownloadItems(InstallWorker& worker) override {
    Hook(worker, u"download");
    return download ? StepResult::Passed() : StepResult::Failed(downloadCause, u"Vimzee.msi");
  }
  bool FileExists(const std::u16string& path) override { return !missing.count(path); }
  PackageResult InstallPackage(InstallWorker& worker, const InstallItem& item) override {
    seenAtInstall.push_back(worker.status.Read());
    Hook(worker, u"package " + item.name);
    if (item.name == restartingPackage) return {3010};
    if (item.name != failingPackage) return {};
    return {1603, packageCause};
  }
  bool RunProgram(InstallWorker& worker, const InstallItem& item) override {
    Hook(worker, u"program " + item.name);
    return item.name != failingPackage;
  }
  void ApplyPostInstallSettings(InstallWorker& worker) override {
    worker.installer.homepageUrl = u"http://127.0.0.1/vimzee/home";
    Hook(worker, u"settings");
  }
  void PublishHomepage(const std::u16string& url) override { published = url; }
  void ShowDownloadFailure(const StepResult& failed) override {
    ++boxes;
    shownCause = failed.cause;
  }
};

struct Worker : testing::Test {
  std::unique_ptr<InstallStatus> status = std::make_unique<InstallStatus>();
  FakeSteps steps;
  Worker() {
    steps.plan = {Item(u"vc_redist.exe", u"C:\\w\\component\\1vc_redist.exe", 1),
                  Item(u"Vimzee.msi", u"C:\\w\\msi\\Vimzee.msi", 0),
                  Item(u"de.mst", u"C:\\w\\transform\\1031.MST", 0),
                  Item(u"language_pack_1031.exe", u"C:\\w\\component\\2language_pack_1031.exe", 1)};
  }
  // One run, with a status of its own: a final state is final, so a record
  // serves one run, as in the program.
  InstallStatusFields RunToEnd(std::function<void(InstallWorker&)> before = {}) {
    status.reset(new InstallStatus);
    {
      InstallWorker worker(*status, steps);
      if (before) before(worker);
      worker.StartInstall();
      worker.Join();
      cause = worker.failureCause;
      restartRequired = worker.restartRequired;
      installerResult = worker.installerResult;
    }  // destruction releases the events
    return status->Read();
  }
  FailureCause cause = FailureCause::None;
  bool restartRequired = false;
  uint32_t installerResult = 0;
  void ExpectFinal(const InstallStatusFields& fields, InstallState state) {
    EXPECT_EQ(fields.state, state);
    EXPECT_EQ(fields.itemIndex, -1);
    EXPECT_EQ(fields.itemPercent, 0);
    EXPECT_EQ(fields.itemText, u"");
  }
};

TEST_F(Worker, InstallsEveryItemInOrderAndFinishes) {
  const auto end = RunToEnd();
  ExpectFinal(end, InstallState::Finished);
  EXPECT_EQ(steps.calls,
            (std::vector<std::u16string>{u"recheck", u"download", u"program vc_redist.exe",
                                         u"package Vimzee.msi", u"program language_pack_1031.exe",
                                         u"settings"}));
  EXPECT_EQ(steps.published, u"http://127.0.0.1/vimzee/home");
  ASSERT_EQ(steps.seenAtInstall.size(), 1u);
  EXPECT_EQ(steps.seenAtInstall[0].state, InstallState::Installing);
  EXPECT_EQ(steps.seenAtInstall[0].itemIndex, 1);
  EXPECT_EQ(steps.seenAtInstall[0].itemPercent, 0);
  EXPECT_EQ(steps.seenAtInstall[0].itemText, u"Vimzee.msi");
  EXPECT_EQ(steps.boxes, 0);
  EXPECT_EQ(steps.releases, 1);
}

// Whoever shows the run hears of its end once, after the final state is
// readable, whether it finished, failed or was cancelled.
TEST_F(Worker, TheEndIsAnnouncedOnceTheFinalStateIsThere) {
  for (const bool fail : {false, true}) {
    steps.download = !fail;
    std::vector<InstallState> seen;
    const InstallStatusFields end = RunToEnd([&](InstallWorker& worker) {
      worker.onEnded = [&seen, &worker] { seen.push_back(worker.status.Read().state); };
    });
    ASSERT_EQ(seen.size(), 1u) << fail;
    EXPECT_EQ(seen[0], end.state);
    EXPECT_EQ(seen[0], fail ? InstallState::Failed : InstallState::Finished);
  }
}

TEST_F(Worker, TransformIsReportedButNeverInstalledOnItsOwn) {
  std::vector<InstallStatusFields> seen;
  steps.during = [&](InstallWorker& worker, const std::u16string& step) {
    if (step == u"program language_pack_1031.exe") seen.push_back(worker.status.Read());
  };
  RunToEnd();
  ASSERT_EQ(seen.size(), 1u);
  // The transform took index 2 (reported at 0 and 100); the pack is index 3.
  EXPECT_EQ(seen[0].itemIndex, 3);
  EXPECT_EQ(seen[0].itemText, u"language_pack_1031.exe");
}

TEST_F(Worker, MissingFilesArePassedOverWithoutAnIndex) {
  steps.missing = {u"C:\\w\\component\\1vc_redist.exe"};
  RunToEnd();
  ASSERT_EQ(steps.seenAtInstall.size(), 1u);
  EXPECT_EQ(steps.seenAtInstall[0].itemIndex, 0);  // the main package is now the first
  EXPECT_EQ(steps.calls[2], u"package Vimzee.msi");
}

TEST_F(Worker, AProgramThatCannotStartDoesNotStopTheSequence) {
  steps.failingPackage = u"vc_redist.exe";
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_EQ(steps.calls.back(), u"settings");
}

TEST_F(Worker, FailingSecondItemStopsTheRestWithoutSettingsOrBox) {
  steps.failingPackage = u"Vimzee.msi";
  const auto end = RunToEnd();
  ExpectFinal(end, InstallState::Failed);
  EXPECT_EQ(steps.calls.back(), u"package Vimzee.msi");
  EXPECT_EQ(steps.seenAtInstall.back().itemIndex, 1);
  EXPECT_EQ(steps.published, u"<none>");
  EXPECT_EQ(steps.boxes, 0);
}

TEST_F(Worker, ThePlansWeightsReachTheStatusNormalised) {
  steps.downloadWeights = {40, 40};
  steps.installWeights = {1, 1, 2, 0};
  const InstallStatusFields end = RunToEnd();
  EXPECT_EQ(end.downloadWeights, (std::vector<uint32_t>{50, 50}));
  EXPECT_EQ(end.installWeights, (std::vector<uint32_t>{25, 25, 50, 0}));
}

TEST_F(Worker, TheInstallersResultsAreKeptForTheExitCode) {
  steps.restartingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_TRUE(restartRequired);
  EXPECT_EQ(installerResult, 0u);

  steps.restartingPackage.clear();
  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_FALSE(restartRequired);
  EXPECT_EQ(installerResult, 1603u);
  EXPECT_EQ(cause, FailureCause::PackageFailed);
}

TEST_F(Worker, DownloadFailureShowsTheBoxAndInstallsNothing) {
  steps.download = false;
  steps.downloadCause = FailureCause::DownloadFailed;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
  EXPECT_EQ(steps.boxes, 1);
  EXPECT_EQ(cause, FailureCause::DownloadFailed);

  // A volume too full was told where it was found: no second box.
  steps.downloadCause = FailureCause::DiskSpace;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.boxes, 1);
  EXPECT_EQ(cause, FailureCause::DiskSpace);
}

TEST_F(Worker, MemoryRunningOutOnTheThreadEndsFailedInsteadOfEndingTheProcess) {
  steps.during = [](InstallWorker&, const std::u16string& step) {
    if (step == u"download") throw std::bad_alloc();
  };
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
  EXPECT_NE(cause, FailureCause::None);
  EXPECT_EQ(steps.releases, 1);
}

TEST_F(Worker, RefusedRecheckFailsWithoutTheWorkersBox) {
  steps.recheck = false;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls, std::vector<std::u16string>{u"recheck"});
  EXPECT_EQ(steps.boxes, 0);
  EXPECT_EQ(cause, FailureCause::AlreadyInstalled);
}

TEST_F(Worker, CancelDuringTheRecheckEndsCancelled) {
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step == u"recheck") worker.CancelInstall();
  };
  steps.recheck = false;
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(steps.signals, 1);
}

TEST_F(Worker, CancelDuringADownloadEndsCancelledWithoutTheBox) {
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step != u"download") return;
    worker.CancelInstall();
    EXPECT_EQ(worker.status.Read().state, InstallState::Cancelling);
    // Progress reported while cancelling is ignored.
    worker.ReportStatus(InstallState::Downloading, 0, 40, u"Vimzee.msi");
    EXPECT_EQ(worker.status.Read().state, InstallState::Cancelling);
  };
  steps.download = false;
  steps.downloadCause = FailureCause::DownloadFailed;  // the cancelled transfer fails the phase
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(steps.boxes, 0);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
}

TEST_F(Worker, CancelDuringAPackageRollsBackAndStopsTheRest) {
  // The installer answers the handler's cancel with 1602: the package fails.
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step == u"package Vimzee.msi") worker.CancelInstall();
  };
  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"package Vimzee.msi");
  EXPECT_EQ(steps.published, u"<none>");
}

TEST_F(Worker, CancelBetweenItemsStopsBeforeTheNext) {
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step == u"program vc_redist.exe") worker.CancelInstall();
  };
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"program vc_redist.exe");
}

TEST_F(Worker, AWorkerWokenByTheCancelSeesItBeforeStartingTheNextItem) {
  // The user interface signals the cancel while the prerequisite program
  // runs; the woken worker must already read the flag, however late the
  // signalling thread gets to run again.
  std::mutex mutex;
  std::condition_variable woken;
  bool signalled = false;
  steps.afterSignal = [&] {
    {
      std::lock_guard lock(mutex);
      signalled = true;
    }
    woken.notify_all();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };
  std::thread user;
  steps.during = [&](InstallWorker& worker, const std::u16string& step) {
    if (step != u"program vc_redist.exe") return;
    user = std::thread([&worker] { worker.CancelInstall(); });
    std::unique_lock lock(mutex);
    woken.wait(lock, [&] { return signalled; });
  };
  {
    InstallWorker worker(*status, steps);
    worker.StartInstall();
    worker.Join();
    user.join();
  }
  ExpectFinal(status->Read(), InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"program vc_redist.exe");
}

TEST_F(Worker, CancelThatArrivesTooLateStillEndsCancelledWithSettingsWritten) {
  // The installer completed the package in spite of the cancel answer.
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step == u"settings") worker.CancelInstall();
  };
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"settings");
  EXPECT_EQ(steps.published, u"http://127.0.0.1/vimzee/home");
}

TEST_F(Worker, ACancelThatCrossesTheFinalReportLeavesTheRunEnded) {
  // The worker has reported its end (it is held there: joined) when the
  // close question's Yes arrives.
  for (const bool fails : {false, true}) {
    steps = FakeSteps();
    steps.plan = {Item(u"Vimzee.msi", u"C:\\w\\msi\\Vimzee.msi", 0)};
    if (fails) steps.failingPackage = u"Vimzee.msi";
    InstallStatus ended;
    InstallWorker worker(ended, steps);
    worker.StartInstall();
    worker.Join();
    const InstallState end = fails ? InstallState::Failed : InstallState::Finished;
    ASSERT_EQ(ended.Read().state, end);
    worker.CancelInstall();
    EXPECT_EQ(ended.Read().state, end);  // never Cancelling: the poll would wait forever
    EXPECT_EQ(steps.signals, 0);
    EXPECT_FALSE(worker.control.cancelRequested);
    EXPECT_FALSE(ended.ReportStatus(InstallState::Downloading, 0, 50, u"late"));
    EXPECT_EQ(ended.Read().state, end);
  }
}

TEST_F(Worker, CancellingTwiceChangesNothingVisible) {
  std::vector<InstallStatusFields> seen;
  steps.during = [&](InstallWorker& worker, const std::u16string& step) {
    if (step != u"download") return;
    worker.CancelInstall();
    seen.push_back(worker.status.Read());
    worker.CancelInstall();
    seen.push_back(worker.status.Read());
  };
  steps.download = false;
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].state, InstallState::Cancelling);
  EXPECT_EQ(seen[1].itemIndex, -1);
}

TEST_F(Worker, CancelBeforeTheStartEndsAtOnceAndNothingRuns) {
  const auto end = RunToEnd([](InstallWorker& worker) {
    // The events exist from the worker's making, so a question asked
    // before the start can pause; a cancel then has no thread to stop.
    EXPECT_TRUE(worker.control.cancelEvent && worker.control.runEvent);
    worker.CancelInstall();
    EXPECT_TRUE(worker.control.cancelRequested);
  });
  ExpectFinal(end, InstallState::Cancelled);
  EXPECT_EQ(cause, FailureCause::Cancelled);
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_EQ(steps.signals, 0);
  EXPECT_EQ(steps.releases, 1);  // the events go with the worker
}

TEST_F(Worker, DestructionWaitsForTheThreadBeforeReleasingTheEvents) {
  std::atomic<bool> stepEnded{false};
  steps.during = [&](InstallWorker&, const std::u16string& step) {
    if (step != u"recheck") return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stepEnded = true;
  };
  {
    InstallWorker worker(*status, steps);
    worker.StartInstall();
    worker.StartInstall();  // a second start is ignored
  }
  EXPECT_TRUE(stepEnded);
  EXPECT_EQ(steps.releases, 1);
  EXPECT_EQ(steps.calls.front(), u"recheck");
  EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), u"recheck"), 1);
  EXPECT_EQ(status->Read().state, InstallState::Finished);
}

TEST_F(Worker, TheCauseOfEachEndIsKeptForTheApplication) {
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_EQ(cause, FailureCause::None);

  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(cause, FailureCause::PackageFailed);

  // A volume too full for the package: that cause stays, and no server box.
  steps.packageCause = FailureCause::DiskSpace;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(cause, FailureCause::DiskSpace);
  EXPECT_EQ(steps.boxes, 0);

  // A package that failed its digest fails like a download, with its own cause.
  steps.download = false;
  steps.downloadCause = FailureCause::PayloadIntegrity;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(cause, FailureCause::PayloadIntegrity);
  EXPECT_EQ(steps.boxes, 1);
  EXPECT_EQ(steps.shownCause, FailureCause::PayloadIntegrity);

  // Cancelling overrides whatever the failing step recorded.
  steps.during = [](InstallWorker& worker, const std::u16string& step) {
    if (step == u"download") worker.CancelInstall();
  };
  ExpectFinal(RunToEnd(), InstallState::Cancelled);
  EXPECT_EQ(cause, FailureCause::Cancelled);
  EXPECT_EQ(FailureCauseName(cause), u"cancelled");
}

TEST(TransformPath, MatchesTheExtensionWithoutRegardToCase) {
  EXPECT_TRUE(IsTransformPath(u"C:\\t\\1031.mst"));
  EXPECT_TRUE(IsTransformPath(u"C:\\t\\1031.MsT"));
  EXPECT_FALSE(IsTransformPath(u"C:\\t\\1031.mst.exe"));
  EXPECT_FALSE(IsTransformPath(u"mst"));
  EXPECT_FALSE(IsTransformPath(u""));
}

}  // namespace
}  // namespace vwi
