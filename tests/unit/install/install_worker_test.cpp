#include "install/install_worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <thread>

namespace vwi {
namespace {

InstallItem Item(std::u16string name, std::u16string path, bool runAsProgram) {
  return {name, u"http://127.0.0.1/" + name, std::move(path), u"", true, runAsProgram};
}

// Steps that record what the worker asked for and answer as configured. A
// hook runs inside a step, as the user interface would act meanwhile.
struct FakeSteps : IInstallSteps {
  std::set<std::u16string> missing;
  bool recheck = true;
  bool download = true;
  StepResult downloadFailure = StepResult::Failed(FailureCause::DownloadFailed, u"Vimzee.msi");
  std::u16string failingPackage;     // a package says 1603, a program never starts
  std::u16string restartingPackage;  // its installer asks for a restart (3010)
  // An item's results try by try, the last repeated (else 0).
  std::map<std::u16string, std::vector<uint32_t>> answers;
  std::map<std::u16string, size_t> tries;
  FailureCause packageCause = FailureCause::None;     // what the failing package step records
  std::function<void(const std::u16string&)> during;  // step name

  std::vector<std::u16string> calls;
  InstallStatus* status = nullptr;
  std::vector<InstallStatusFields> seenAtInstall;  // the status when a package starts
  std::vector<InstallChoices> choicesSeen;         // what packages and settings were given
  ICancelRequest* cancel = nullptr;                // the run's, as the steps see it

  std::optional<uint32_t> Answer(const std::u16string& name) {
    const auto found = answers.find(name);
    if (found == answers.end() || found->second.empty()) return std::nullopt;
    const size_t index = std::min(tries[name]++, found->second.size() - 1);
    return found->second[index];
  }
  void Hook(const std::u16string& step) {
    calls.push_back(step);
    if (during) during(step);
  }
  StepResult RecheckVersion(ICancelRequest& c) override {
    cancel = &c;
    Hook(u"recheck");
    return recheck ? StepResult::Passed() : StepResult::Failed(FailureCause::AlreadyInstalled);
  }
  StepResult DownloadItems(const std::vector<InstallItem>&, const InstallChoices&,
                           IInstallProgress&, ICancelRequest&, HeldPayloads&) override {
    Hook(u"download");
    return download ? StepResult::Passed() : downloadFailure;
  }
  bool FileExists(const InstallItem& item) override { return !missing.count(item.localPath); }
  PackageResult InstallPackage(const InstallItem& item, const InstallChoices& choices,
                               const std::function<void(int32_t)>& onPercent,
                               ICancelRequest&) override {
    seenAtInstall.push_back(status->Read());
    choicesSeen.push_back(choices);
    onPercent(40);
    Hook(u"package " + item.name);
    if (const auto answer = Answer(item.name)) return {*answer, FailureCause::None, {}};
    if (item.name == restartingPackage) return {3010, FailureCause::None, u"http://h/restart"};
    if (item.name != failingPackage)
      return {0, FailureCause::None, u"http://127.0.0.1/vimzee/home"};
    return {1603, packageCause, {}};
  }
  ProgramResult RunProgram(const InstallItem& item, ICancelRequest& c) override {
    Hook(u"program " + item.name);
    if (item.name == failingPackage) return {};
    // A cancel leaves the program running: it has no exit code yet.
    if (c.IsCancelled()) return {true, std::nullopt};
    return {true, Answer(item.name).value_or(0)};
  }
  void ApplyPostInstallSettings(const InstallChoices& choices) override {
    choicesSeen.push_back(choices);
    Hook(u"settings");
  }
};

// A clock on which every look is half a minute later: a busy installer's
// waits end after a slice of real time each. `onLook` sees each look.
struct JumpingClock : IWaitClock {
  mutable std::atomic<int64_t> now{0};
  std::function<void()> onLook;
  std::chrono::milliseconds Now() const override {
    if (onLook) onLook();
    return std::chrono::milliseconds(now += 30000);
  }
};

struct Worker : testing::Test {
  std::unique_ptr<InstallStatus> status = std::make_unique<InstallStatus>();
  FakeSteps steps;
  JumpingClock clock;
  BusyInstallerPolicy busy{.clock = &clock};
  InstallPlan plan;
  InstallChoices choices{u"C:\\Program Files\\Orvanta", 1, 1031};
  InstallResult result;
  Worker() {
    plan.items = {
        Item(u"vc_redist.exe", u"C:\\w\\component\\1vc_redist.exe", true),
        Item(u"Vimzee.msi", u"C:\\w\\msi\\Vimzee.msi", false),
        Item(u"de.mst", u"C:\\w\\transform\\1031.MST", false),
        Item(u"language_pack_1031.exe", u"C:\\w\\component\\2language_pack_1031.exe", true)};
  }
  // One run, with a status of its own: a final state is final, so a record
  // serves one run, as in the program. `during` sees the worker.
  InstallStatusFields RunToEnd(
      std::function<void(InstallWorker&, const std::u16string&)> during = {},
      std::function<void(InstallWorker&)> before = {}) {
    status.reset(new InstallStatus);
    steps.status = status.get();
    {
      InstallWorker worker(*status, steps, busy);
      if (during) {
        steps.during = [&worker, during](const std::u16string& step) { during(worker, step); };
      }
      if (before) before(worker);
      worker.StartInstall(plan, choices);
      worker.Join();
      result = worker.Result();
    }
    steps.during = nullptr;
    return status->Read();
  }
  void ExpectFinal(const InstallStatusFields& fields, InstallState state) {
    EXPECT_EQ(fields.state, state);
    EXPECT_EQ(fields.itemIndex, -1);
    EXPECT_EQ(fields.itemPercent, 0);
    EXPECT_EQ(fields.itemText, u"");
    EXPECT_EQ(result.state, state);
  }
};

TEST_F(Worker, InstallsEveryItemInOrderAndFinishes) {
  const auto end = RunToEnd();
  ExpectFinal(end, InstallState::Finished);
  EXPECT_EQ(steps.calls,
            (std::vector<std::u16string>{u"recheck", u"download", u"program vc_redist.exe",
                                         u"package Vimzee.msi", u"program language_pack_1031.exe",
                                         u"settings"}));
  EXPECT_EQ(result.homepageUrl, u"http://127.0.0.1/vimzee/home");
  EXPECT_EQ(result.cause, FailureCause::None);
  ASSERT_EQ(steps.seenAtInstall.size(), 1u);
  EXPECT_EQ(steps.seenAtInstall[0].state, InstallState::Installing);
  EXPECT_EQ(steps.seenAtInstall[0].itemIndex, 1);
  EXPECT_EQ(steps.seenAtInstall[0].itemPercent, 0);
  EXPECT_EQ(steps.seenAtInstall[0].itemText, u"Vimzee.msi");
}

TEST_F(Worker, TheChoicesAreTheRunsOwnCopy) {
  // The package and the settings get the choices as they were at the
  // start, whatever the caller's value becomes meanwhile.
  const InstallChoices given = choices;
  RunToEnd([&](InstallWorker&, const std::u16string& step) {
    if (step == u"recheck") choices = {u"D:\\elsewhere", 0, 1033};
  });
  ASSERT_EQ(steps.choicesSeen.size(), 2u);
  for (const InstallChoices& seen : steps.choicesSeen) {
    EXPECT_EQ(seen.installFolder, given.installFolder);
    EXPECT_EQ(seen.fileAssociation, 1);
    EXPECT_EQ(seen.languageId, 1031);
  }
}

TEST_F(Worker, APackagesProgressIsReportedAgainstItsItem) {
  std::vector<InstallStatusFields> seen;
  RunToEnd([&](InstallWorker&, const std::u16string& step) {
    if (step == u"package Vimzee.msi") seen.push_back(status->Read());
  });
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].state, InstallState::Installing);
  EXPECT_EQ(seen[0].itemIndex, 1);
  EXPECT_EQ(seen[0].itemPercent, 40);
  EXPECT_EQ(seen[0].itemText, u"Vimzee.msi");
}

// Whoever shows the run hears of its end once, after the final state is
// readable, whether it finished, failed or was cancelled.
TEST_F(Worker, TheEndIsAnnouncedOnceTheFinalStateIsThere) {
  for (const bool fail : {false, true}) {
    steps.download = !fail;
    std::vector<InstallState> seen;
    const InstallStatusFields end = RunToEnd({}, [&](InstallWorker& worker) {
      worker.onEnded = [&seen, &worker] { seen.push_back(worker.Result().state); };
    });
    ASSERT_EQ(seen.size(), 1u) << fail;
    EXPECT_EQ(seen[0], end.state);
    EXPECT_EQ(seen[0], fail ? InstallState::Failed : InstallState::Finished);
  }
}

TEST_F(Worker, TransformIsReportedButNeverInstalledOnItsOwn) {
  std::vector<InstallStatusFields> seen;
  RunToEnd([&](InstallWorker&, const std::u16string& step) {
    if (step == u"program language_pack_1031.exe") seen.push_back(status->Read());
  });
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

TEST_F(Worker, FailingSecondItemStopsTheRestWithoutSettings) {
  steps.failingPackage = u"Vimzee.msi";
  const auto end = RunToEnd();
  ExpectFinal(end, InstallState::Failed);
  EXPECT_EQ(steps.calls.back(), u"package Vimzee.msi");
  EXPECT_EQ(steps.seenAtInstall.back().itemIndex, 1);
  EXPECT_EQ(result.homepageUrl, u"");
  EXPECT_EQ(result.failedItem, u"Vimzee.msi");
}

TEST_F(Worker, AHomePageReportedBeforeACancelIsNotKept) {
  // The main package reports its page; the cancel comes during the
  // language pack after it.
  ExpectFinal(RunToEnd([](InstallWorker& worker, const std::u16string& step) {
                if (step == u"program language_pack_1031.exe") worker.CancelInstall();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(result.homepageUrl, u"");
}

TEST_F(Worker, ThePlansWeightsReachTheStatusNormalised) {
  plan.downloadWeights = {40, 40};
  plan.installWeights = {1, 1, 2, 0};
  const InstallStatusFields end = RunToEnd();
  EXPECT_EQ(end.downloadWeights, (std::vector<uint32_t>{50, 50}));
  EXPECT_EQ(end.installWeights, (std::vector<uint32_t>{25, 25, 50, 0}));
}

TEST_F(Worker, TheInstallersResultsAreKeptForTheExitCode) {
  steps.restartingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_TRUE(result.restartRequired);
  EXPECT_EQ(result.installerResult, 0u);
  EXPECT_EQ(result.homepageUrl, u"http://h/restart");

  steps.restartingPackage.clear();
  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_FALSE(result.restartRequired);
  EXPECT_EQ(result.installerResult, 1603u);
  EXPECT_EQ(result.cause, FailureCause::PackageFailed);
}

TEST_F(Worker, AFailedDownloadInstallsNothingAndItsCauseAndCodesReachTheResult) {
  steps.download = false;
  TransferResult notFound;
  notFound.failure = TransferFailure::Status;
  notFound.status = 404;
  steps.downloadFailure = StepResult::FailedTransfer(FailureCause::DownloadFailed, u"Vimzee.msi",
                                                     notFound, u"http://s/Vimzee.msi");
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
  EXPECT_EQ(result.cause, FailureCause::DownloadFailed);
  EXPECT_EQ(result.failedItem, u"Vimzee.msi");
  EXPECT_EQ(result.failedAddress, u"http://s/Vimzee.msi");
  EXPECT_EQ(result.transfer.status, 404u);
  EXPECT_EQ(InstallResultLogEntry(result),
            u"Installation ended: failed, download failed, Vimzee.msi from http://s/Vimzee.msi: "
            u"status 404");

  StepResult full = StepResult::Failed(FailureCause::DiskSpace);
  full.megabytesNeeded = 42;
  steps.downloadFailure = full;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::DiskSpace);
  EXPECT_EQ(result.megabytesNeeded, 42u);
}

TEST_F(Worker, MemoryRunningOutOnTheThreadEndsFailedInsteadOfEndingTheProcess) {
  ExpectFinal(RunToEnd([](InstallWorker&, const std::u16string& step) {
                if (step == u"download") throw std::bad_alloc();
              }),
              InstallState::Failed);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
  EXPECT_NE(result.cause, FailureCause::None);
}

TEST_F(Worker, RefusedRecheckFails) {
  steps.recheck = false;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls, std::vector<std::u16string>{u"recheck"});
  EXPECT_EQ(result.cause, FailureCause::AlreadyInstalled);
}

TEST_F(Worker, CancelDuringTheRecheckEndsCancelled) {
  steps.recheck = false;
  bool seenByTheStep = false;
  ExpectFinal(RunToEnd([&](InstallWorker& worker, const std::u16string& step) {
                if (step != u"recheck") return;
                worker.CancelInstall();
                seenByTheStep = steps.cancel->IsCancelled();
              }),
              InstallState::Cancelled);
  EXPECT_TRUE(seenByTheStep);
}

TEST_F(Worker, CancelDuringADownloadEndsCancelled) {
  steps.download = false;  // the cancelled transfer fails the phase
  ExpectFinal(RunToEnd([&](InstallWorker& worker, const std::u16string& step) {
                if (step != u"download") return;
                worker.CancelInstall();
                EXPECT_EQ(status->Read().state, InstallState::Cancelling);
                // Progress reported while cancelling is ignored.
                status->ReportStatus(InstallState::Downloading, 0, 40, u"Vimzee.msi");
                EXPECT_EQ(status->Read().state, InstallState::Cancelling);
              }),
              InstallState::Cancelled);
  EXPECT_EQ(steps.calls, (std::vector<std::u16string>{u"recheck", u"download"}));
  EXPECT_EQ(result.cause, FailureCause::Cancelled);
}

TEST_F(Worker, CancelDuringAPackageRollsBackAndStopsTheRest) {
  // The installer answers the handler's cancel with 1602: the package fails.
  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd([](InstallWorker& worker, const std::u16string& step) {
                if (step == u"package Vimzee.msi") worker.CancelInstall();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"package Vimzee.msi");
}

TEST_F(Worker, CancelBetweenItemsStopsBeforeTheNext) {
  ExpectFinal(RunToEnd([](InstallWorker& worker, const std::u16string& step) {
                if (step == u"program vc_redist.exe") worker.CancelInstall();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"program vc_redist.exe");
}

TEST_F(Worker, AStepThatEndsOnTheCancelLeavesNoNextItemStarted) {
  // The user interface cancels from its own thread while the prerequisite
  // program runs; the program's step ends as soon as it sees the cancel, and
  // the worker must see it too before it starts anything else.
  std::thread user;
  ExpectFinal(RunToEnd([&](InstallWorker& worker, const std::u16string& step) {
                if (step != u"program vc_redist.exe") return;
                user = std::thread([&worker] { worker.CancelInstall(); });
                while (!steps.cancel->IsCancelled()) std::this_thread::yield();
                user.join();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"program vc_redist.exe");
}

TEST_F(Worker, CancelThatArrivesTooLateStillEndsCancelledWithSettingsWritten) {
  // The installer completed the package in spite of the cancel answer.
  ExpectFinal(RunToEnd([](InstallWorker& worker, const std::u16string& step) {
                if (step == u"settings") worker.CancelInstall();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(steps.calls.back(), u"settings");
}

TEST_F(Worker, ACancelThatCrossesTheFinalReportLeavesTheRunEnded) {
  // The worker has reported its end (it is held there: joined) when the
  // close question's Yes arrives.
  for (const bool fails : {false, true}) {
    steps = FakeSteps();
    plan.items = {Item(u"Vimzee.msi", u"C:\\w\\msi\\Vimzee.msi", false)};
    if (fails) steps.failingPackage = u"Vimzee.msi";
    InstallStatus ended;
    steps.status = &ended;
    InstallWorker worker(ended, steps);
    worker.StartInstall(plan, choices);
    worker.Join();
    const InstallState end = fails ? InstallState::Failed : InstallState::Finished;
    ASSERT_EQ(ended.Read().state, end);
    worker.CancelInstall();
    EXPECT_EQ(ended.Read().state, end);  // never Cancelling: the poll would wait forever
    EXPECT_FALSE(steps.cancel->IsCancelled());
    EXPECT_FALSE(ended.ReportStatus(InstallState::Downloading, 0, 50, u"late"));
    EXPECT_EQ(ended.Read().state, end);
    EXPECT_EQ(worker.Result().cause, fails ? FailureCause::PackageFailed : FailureCause::None);
  }
}

TEST_F(Worker, CancellingTwiceChangesNothingVisible) {
  std::vector<InstallStatusFields> seen;
  steps.download = false;
  ExpectFinal(RunToEnd([&](InstallWorker& worker, const std::u16string& step) {
                if (step != u"download") return;
                worker.CancelInstall();
                seen.push_back(status->Read());
                worker.CancelInstall();
                seen.push_back(status->Read());
              }),
              InstallState::Cancelled);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].state, InstallState::Cancelling);
  EXPECT_EQ(seen[1].itemIndex, -1);
}

TEST_F(Worker, CancelBeforeTheStartEndsAtOnceAndNothingRuns) {
  const auto end = RunToEnd({}, [](InstallWorker& worker) {
    worker.Pause();  // a question asked before the start
    worker.CancelInstall();
  });
  ExpectFinal(end, InstallState::Cancelled);
  EXPECT_EQ(result.cause, FailureCause::Cancelled);
  EXPECT_TRUE(steps.calls.empty());
}

TEST_F(Worker, DestructionWaitsForTheThread) {
  std::atomic<bool> stepEnded{false};
  steps.status = status.get();
  steps.during = [&](const std::u16string& step) {
    if (step != u"recheck") return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stepEnded = true;
  };
  {
    InstallWorker worker(*status, steps);
    worker.StartInstall(plan, choices);
    worker.StartInstall(plan, choices);  // a second start is ignored
  }
  EXPECT_TRUE(stepEnded);
  EXPECT_EQ(steps.calls.front(), u"recheck");
  EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), u"recheck"), 1);
  EXPECT_EQ(status->Read().state, InstallState::Finished);
}

TEST_F(Worker, TheCauseOfEachEndIsKeptForTheApplication) {
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_EQ(result.cause, FailureCause::None);

  steps.failingPackage = u"Vimzee.msi";
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::PackageFailed);

  // A volume too full for the package: that cause stays.
  steps.packageCause = FailureCause::DiskSpace;
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::DiskSpace);

  // A package that failed its digest fails like a download, with its own cause.
  steps.download = false;
  steps.downloadFailure = StepResult::Failed(FailureCause::PayloadIntegrity, u"Vimzee.msi");
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::PayloadIntegrity);

  // Cancelling overrides whatever the failing step recorded.
  ExpectFinal(RunToEnd([](InstallWorker& worker, const std::u16string& step) {
                if (step == u"download") worker.CancelInstall();
              }),
              InstallState::Cancelled);
  EXPECT_EQ(result.cause, FailureCause::Cancelled);
  EXPECT_EQ(FailureCauseName(result.cause), u"cancelled");
}

TEST(TransformPath, MatchesTheExtensionWithoutRegardToCase) {
  EXPECT_TRUE(IsTransformPath(u"C:\\t\\1031.mst"));
  EXPECT_TRUE(IsTransformPath(u"C:\\t\\1031.MsT"));
  EXPECT_FALSE(IsTransformPath(u"C:\\t\\1031.mst.exe"));
  EXPECT_FALSE(IsTransformPath(u"mst"));
  EXPECT_FALSE(IsTransformPath(u""));
}

TEST_F(Worker, APrerequisiteThatFailsStopsTheRunBeforeTheMainPackage) {
  steps.answers[u"vc_redist.exe"] = {1603};
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(steps.calls.back(), u"program vc_redist.exe");
  EXPECT_EQ(result.cause, FailureCause::ProgramFailed);
  EXPECT_EQ(result.installerResult, 1603u);
  EXPECT_EQ(result.failedItem, u"vc_redist.exe");
}

TEST_F(Worker, ProgramCodesThatMeanInstalled) {
  // 1638: the same or a newer version is there already.
  steps.answers[u"vc_redist.exe"] = {1638};
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_FALSE(result.restartRequired);
  for (uint32_t code : {3010u, 1641u}) {
    steps.calls.clear();
    steps.tries.clear();
    steps.answers[u"vc_redist.exe"] = {code};
    ExpectFinal(RunToEnd(), InstallState::Finished);
    EXPECT_TRUE(result.restartRequired) << code;
    EXPECT_EQ(steps.calls.back(), u"settings");
  }
}

TEST_F(Worker, AMainPackageThatStartedARestartIsInstalledAndAsksForOne) {
  steps.answers[u"Vimzee.msi"] = {1641};
  ExpectFinal(RunToEnd(), InstallState::Finished);
  EXPECT_TRUE(result.restartRequired);
  EXPECT_EQ(result.installerResult, 0u);
}

TEST_F(Worker, ABusyInstallerIsWaitedForAndTheItemTriedAgain) {
  steps.answers[u"Vimzee.msi"] = {1618, 1618, 0};
  std::vector<bool> busySeen;
  clock.onLook = [&] { busySeen.push_back(status->Read().installerBusy); };
  ExpectFinal(RunToEnd(), InstallState::Finished);
  clock.onLook = nullptr;
  EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), u"package Vimzee.msi"), 3);
  EXPECT_EQ(steps.calls.back(), u"settings");
  // The status said so while it waited, and not once the package ran again.
  EXPECT_NE(std::find(busySeen.begin(), busySeen.end(), true), busySeen.end());
  EXPECT_FALSE(status->Read().installerBusy);
  EXPECT_EQ(result.homepageUrl, u"");  // the try that installed reported none
}

TEST_F(Worker, AnInstallerBusyPastTheLimitEndsTheRunBusy) {
  busy.limitMilliseconds = 60000;
  steps.answers[u"vc_redist.exe"] = {1618};
  ExpectFinal(RunToEnd(), InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::InstallerBusy);
  EXPECT_EQ(result.installerResult, 1618u);
  EXPECT_EQ(result.failedItem, u"vc_redist.exe");
  // Waits of 5, 10, 20 and the last 25 seconds: five tries in all.
  EXPECT_EQ(steps.tries[u"vc_redist.exe"], 5u);
}

TEST_F(Worker, ACancelEndsTheWaitForABusyInstaller) {
  steps.answers[u"Vimzee.msi"] = {1618};
  InstallWorker* running = nullptr;
  clock.onLook = [&] {
    if (running) running->CancelInstall();
  };
  ExpectFinal(RunToEnd({}, [&](InstallWorker& worker) { running = &worker; }),
              InstallState::Cancelled);
  clock.onLook = nullptr;
  EXPECT_EQ(steps.tries[u"Vimzee.msi"], 1u);
  EXPECT_EQ(steps.calls.back(), u"package Vimzee.msi");
}

}  // namespace
}  // namespace vwi
