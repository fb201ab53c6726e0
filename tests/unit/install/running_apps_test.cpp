#include "install/running_apps.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace vwi {
namespace {

struct FakeSemaphores : ISemaphoreProbe {
  std::vector<std::set<std::u16string>> rounds;  // what exists at each pass
  size_t pass = 0;
  size_t probesThisPass = 0;
  bool Exists(std::u16string_view name) override {
    const auto& now = rounds[std::min(pass, rounds.size() - 1)];
    if (++probesThisPass == 2) probesThisPass = 0, ++pass;
    return now.count(std::u16string(name)) != 0;
  }
};

struct FakeBox : IMessageBox {
  std::vector<int> answers;
  std::vector<std::u16string> texts;
  std::vector<std::u16string> captions;
  std::vector<uint32_t> styles;
  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override {
    texts.emplace_back(text);
    captions.emplace_back(caption);
    styles.push_back(style);
    const int answer = answers.empty() ? 0 : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
  }
};

const std::u16string kApp(RunningAppProbes()[0].semaphoreName);
const std::u16string kTandor(RunningAppProbes()[1].semaphoreName);
constexpr char16_t kIntro[] = u"Please close the following applications:";

TEST(RunningApps, NothingRunningShowsNothing) {
  FakeSemaphores semaphores;
  semaphores.rounds = {{}};
  FakeBox box;
  EXPECT_TRUE(CheckRunningApps(u"Vimzee Home", kIntro, RunningAppProbes(), semaphores, box));
  EXPECT_TRUE(box.texts.empty());
}

TEST(RunningApps, ListsEachRunningProgramAndRetriesUntilClosed) {
  FakeSemaphores semaphores;
  semaphores.rounds = {{kApp, kTandor}, {kTandor}, {}};
  FakeBox box;
  box.answers = {message_box::kAnswerRetry, message_box::kAnswerRetry};
  EXPECT_TRUE(CheckRunningApps(u"Vimzee Home", kIntro, RunningAppProbes(), semaphores, box));
  ASSERT_EQ(box.texts.size(), 2u);
  EXPECT_EQ(box.texts[0],
            u"Please close the following applications:\n\nVimzee Home\r\nVimzee Home Tandor\r\n");
  EXPECT_EQ(box.texts[1], u"Please close the following applications:\n\nVimzee Home Tandor\r\n");
  EXPECT_EQ(box.captions[0], u"Vimzee Home");
  EXPECT_EQ(box.styles[0], 0x35u);  // warning icon, Retry and Cancel
}

TEST(RunningApps, CancelOrNoAnswerStopsTheInstallation) {
  FakeSemaphores semaphores;
  semaphores.rounds = {{kApp}};
  FakeBox cancel;
  cancel.answers = {message_box::kAnswerCancel};
  EXPECT_FALSE(CheckRunningApps(u"Vimzee Home", kIntro, RunningAppProbes(), semaphores, cancel));
  FakeBox broken;  // the box could not be shown
  EXPECT_FALSE(CheckRunningApps(u"Vimzee Home", kIntro, RunningAppProbes(), semaphores, broken));
  EXPECT_EQ(broken.texts.size(), 1u);
}

TEST(RunningApps, ProbesNameTheProductsProgramsDistinctly) {
  ASSERT_EQ(RunningAppProbes().size(), 2u);
  EXPECT_NE(kApp, kTandor);
  for (const auto& probe : RunningAppProbes()) {
    EXPECT_NE(probe.semaphoreName, u"TODO");
    EXPECT_NE(probe.semaphoreName, u"VrelMasterInstaller");  // the installer's own guard
  }
}

}  // namespace
}  // namespace vwi
