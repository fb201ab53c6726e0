#include "install/installer_message.h"

#include <gtest/gtest.h>

#include <vector>

namespace vwi {
namespace {

namespace im = installer_message;

struct FakeHost : IInstallerMessageHost {
  int basicUiCalls = 0;
  int boxAnswer = 4;
  std::vector<std::pair<std::u16string, uint32_t>> boxes;
  std::vector<int32_t> percents;
  std::vector<std::u16string> lines;

  void SetBasicUi() override { ++basicUiCalls; }
  int ShowInstallerBox(std::u16string_view text, uint32_t style) override {
    boxes.emplace_back(std::u16string(text), style);
    return boxAnswer;
  }
  void ReportPackagePercent(int32_t percent) override { percents.push_back(percent); }
  void Diagnostic(std::u16string_view line) override { lines.emplace_back(line); }
};

struct Handler : testing::Test {
  InstallerMessageState state;
  bool cancel = false;
  FakeHost host;
  int Send(uint32_t type, const char16_t* text) {
    return HandleInstallerMessage(state, cancel, host, type, text);
  }
};

TEST_F(Handler, FirstMessageSetsTheBasicUiOnceEvenWithoutText) {
  EXPECT_EQ(Send(im::kProgress, nullptr), 0);
  EXPECT_EQ(host.basicUiCalls, 1);
  EXPECT_TRUE(host.lines.empty());
  Send(im::kInfo, u"Action 1");
  EXPECT_EQ(host.basicUiCalls, 1);
  EXPECT_EQ(host.lines, std::vector<std::u16string>{u"\r\n Action 1"});
}

TEST_F(Handler, AnswersFollowTheDispatchTable) {
  struct Case {
    uint32_t type;
    int answer;
  };
  const Case cases[] = {
      {im::kWarning, 1},       {im::kUser, 1},        {im::kInfo, 1},       {im::kFilesInUse, 0},
      {im::kResolveSource, 0}, {im::kActionStart, 1}, {im::kActionData, 1}, {im::kProgress, 1},
      {im::kCommonData, 1},    {im::kInitialize, 1},  {im::kTerminate, 1},  {im::kShowDialog, 1},
      {im::kInstallEnd, 1},    {0x0F000000, 0},       {0x1A000000, 0},      {0x7F000000, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Send(c.type | 0x21, u"x"), c.answer) << std::hex << c.type;
  }
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(Handler, ErrorsAreShownWithTheInstallersStyleAndItsAnswerReturned) {
  host.boxAnswer = 2;
  EXPECT_EQ(Send(im::kError | 0x00000035, u"Error 1310. Cannot write."), 2);
  host.boxAnswer = 5;
  EXPECT_EQ(Send(im::kFatalExit | 0x00000010, u"Fatal"), 5);
  EXPECT_EQ(Send(im::kOutOfDiskSpace | 0x00000101, u"Disk"), 5);
  ASSERT_EQ(host.boxes.size(), 3u);
  EXPECT_EQ(host.boxes[0],
            (std::pair<std::u16string, uint32_t>{u"Error 1310. Cannot write.", 0x35}));
  EXPECT_EQ(host.boxes[1].second, 0x10u);
  EXPECT_EQ(host.boxes[2].second, 0x101u);
}

TEST_F(Handler, StyleKeepsOnlyTheLow24Bits) {
  Send(im::kError | 0x00ABCDEF, u"e");
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].second, 0x00ABCDEFu);
}

TEST_F(Handler, ProgressReportsAndCancelIsAnsweredOnTheNextProgressMessage) {
  EXPECT_EQ(Send(im::kProgress, u"1: 0 2: 1000 3: 0"), 1);
  EXPECT_EQ(Send(im::kProgress, u"1: 2 2: 250"), 1);
  EXPECT_EQ(host.percents, std::vector<int32_t>{25});
  cancel = true;
  EXPECT_EQ(Send(im::kActionStart, u"Action"), 1);  // only progress carries the cancel
  EXPECT_EQ(Send(im::kProgress, u"1: 2 2: 250"), 2);
  EXPECT_EQ(Send(im::kProgress, u"garbage"), 1);  // an unreadable text has no effect at all
  EXPECT_EQ(host.percents, (std::vector<int32_t>{25, 50}));
}

TEST_F(Handler, InfoCapturesTheHomePageOnce) {
  Send(im::kInfo, u"Property(S): InstallHomepageURL = http://127.0.0.1/vimzee");
  Send(im::kInfo, u"Property(S): InstallHomepageURL = http://other/");
  EXPECT_EQ(state.homepageUrl, u"http://127.0.0.1/vimzee");
}

TEST(InstallerResult, TheDiagnosticLineNamesTheCode) {
  EXPECT_EQ(InstallerFailureLine(3010),
            u"KORVO_DEBUG: MSI Installation failed. Error Code: 3010\r\n");
}

}  // namespace
}  // namespace vwi
