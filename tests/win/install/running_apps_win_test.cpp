#include "install/win/win_running_apps.h"

#include <gtest/gtest.h>

#include "install_test_support.h"
#include "platform/win/unique_handle.h"

namespace vwi {
namespace {

using namespace vwi::test;

TEST(RunningAppsWin, SemaphoreOfARunningProgramIsSeenUntilItCloses) {
  WinSemaphoreProbe probe;
  const auto name = RunningAppProbes()[0].semaphoreName;
  EXPECT_FALSE(probe.Exists(name));
  {
    UniqueHandleKernel semaphore(
        CreateSemaphoreW(nullptr, 0, 1, L"VimzeeHome.Application.Running"));
    ASSERT_TRUE(semaphore);
    EXPECT_TRUE(probe.Exists(name));
    EXPECT_FALSE(probe.Exists(RunningAppProbes()[1].semaphoreName));
  }
  EXPECT_FALSE(probe.Exists(name));
}

TEST(RunningAppsWin, BoxListsTheRunningProgramsAndCancelStops) {
  UniqueHandleKernel semaphore(CreateSemaphoreW(nullptr, 0, 1, L"VimzeeHome.Tandor.Running"));
  ASSERT_TRUE(semaphore);
  BoxAnswerer answerer(L"Vimzee Home", {IDRETRY, IDCANCEL});
  EXPECT_FALSE(CheckRunningApps(u"Vimzee Home", nullptr));
  const auto boxes = answerer.Finish();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text,
            L"The following applications should be closed before continuing the "
            L"installation:\n\nVimzee Home Tandor\r\n");
}

TEST(RunningAppsWin, NothingRunningAsksNothing) {
  BoxAnswerer answerer(L"Vimzee Home", {});
  EXPECT_TRUE(CheckRunningApps(u"Vimzee Home", nullptr));
  EXPECT_TRUE(answerer.Finish().empty());
}

}  // namespace
}  // namespace vwi
