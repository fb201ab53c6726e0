#include "validation/run_validation.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/posix/posix_system_services.h"
#include "platform/text.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

struct Box {
  std::u16string text, caption;
  uint32_t style;
};

class FakeWindow : public IValidationWindow, public IMessageBox {
 public:
  int answer = message_box::kAnswerNo;
  std::vector<Box> boxes;
  std::vector<std::u16string> launched;
  std::u16string installedProgram = u"C:\\Program Files\\Orvanta\\Vimzee.exe";
  uint32_t waited = 0;
  bool hidden = false, closed = false;

  void Wait(uint32_t ms) override { waited += ms; }
  void Hide() override { hidden = true; }
  IMessageBox& Messages() override { return *this; }
  std::u16string InstalledExecutablePath() override { return installedProgram; }
  void LaunchUnelevated(const std::u16string& path) override { launched.push_back(path); }
  void Close() override { closed = true; }
  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override {
    EXPECT_FALSE(closed) << "a box after the close request";
    boxes.push_back({std::u16string(text), std::u16string(caption), style});
    return answer;
  }
};

// Serves fixed bodies by URL; anything else fails.
class FakeServer : public IStreamDownloader {
 public:
  std::map<std::u16string, std::string> bodies;
  bool DownloadToStream(const std::u16string& url, std::ostream& out) override {
    auto it = bodies.find(url);
    if (it == bodies.end()) return false;
    out << it->second;
    return true;
  }
};

const std::u16string kConnectFailed =
    u"Unable to contact the download server. Check your Internet connection and try again. If "
    u"the issue persists, please contact Customer Care.";

class Validation : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vwi-validation-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "component");
    fs::create_directories(root_ / "temp");
    context_.componentFolder = Path("component/");
    // No language files: the catalogue gives its English defaults.
    context_.strings.languageFolder = Path("language/");
    context_.manifest.shortName = u"Vimzee";
    context_.manifest.fullName = u"Vimzee Home";
    context_.manifest.versionCheckUrl = u"http://127.0.0.1/version.xml";
    context_.manifest.webInstallerVersion = u"28.1.0.4";
  }
  void TearDown() override { fs::remove_all(root_); }

  std::u16string Path(const std::string& relative) const {
    return Utf16FromUtf8((root_ / relative).string());
  }
  void Run() {
    PosixSystemServices system(u"C:\\setup\\VimzeeWebInstaller.exe", Path("temp/"));
    system.SetTickCount(4242);
    RunValidation(context_, flags_, system, server_, window_, handOver_);
  }

  fs::path root_;
  InstallerContext context_;
  AppFlags flags_;
  FakeServer server_;
  FakeWindow window_;
  ValidationHandOver handOver_;
};

TEST_F(Validation, StandaloneNewProductProceedsAfterTheShortWait) {
  context_.manifest.standalone = 1;
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Proceed);
  EXPECT_EQ(window_.waited, 200u);
  EXPECT_TRUE(window_.boxes.empty());
  EXPECT_FALSE(window_.hidden);
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, UnreachableServerIsReportedAndStops) {
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_TRUE(window_.hidden);
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text, kConnectFailed);
  EXPECT_EQ(window_.boxes[0].caption, u"Vimzee");
  EXPECT_EQ(window_.boxes[0].style, 0x10u);
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, InstalledProductIsOfferedAndStartedOnYes) {
  context_.manifest.standalone = 1;
  context_.manifest.standaloneVersion = u"27.0.0.100";
  context_.installedVersion = u"27.0.0.100";
  flags_.productInstalled = 1;
  window_.answer = message_box::kAnswerYes;
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text, u"Vimzee is already installed. Would you like to launch it?");
  EXPECT_EQ(window_.boxes[0].style, 0x14u);
  EXPECT_EQ(window_.launched, (std::vector<std::u16string>{window_.installedProgram}));
}

TEST_F(Validation, InstalledProductAnsweredNoOrMissingStartsNothing) {
  context_.manifest.standalone = 1;
  context_.manifest.standaloneVersion = u"27.0.0.100";
  context_.installedVersion = u"27.0.0.100";
  flags_.productInstalled = 1;
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_TRUE(window_.launched.empty());

  window_ = FakeWindow();
  window_.answer = message_box::kAnswerYes;
  window_.installedProgram.clear();
  Run();
  EXPECT_TRUE(window_.launched.empty());
}

TEST_F(Validation, TooOldInstallerDownloadsItsSuccessorSilently) {
  server_.bodies[context_.manifest.versionCheckUrl] =
      "<vrelwebinstaller><fresh_install><product_version>28.0.0.1</product_version>"
      "<min_web_installer_version>28.1.0.5</min_web_installer_version>"
      "<web_installer_download_url>http://127.0.0.1/new.exe</web_installer_download_url>"
      "</fresh_install></vrelwebinstaller>";
  server_.bodies[u"http://127.0.0.1/new.exe"] = "MZ newer installer";
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::HandOver);
  EXPECT_EQ(handOver_.updaterPath, Path("temp/") + u"VrelWebInstaller_4242\\Vimzee Home.exe");
  EXPECT_TRUE(fs::exists(root_ / "temp" / "VrelWebInstaller_4242" / "Vimzee Home.exe"));
  EXPECT_TRUE(window_.boxes.empty());
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, FailedSuccessorDownloadKeepsThisInstaller) {
  server_.bodies[context_.manifest.versionCheckUrl] =
      "<vrelwebinstaller><fresh_install>"
      "<min_web_installer_version>28.1.0.5</min_web_installer_version>"
      "<web_installer_download_url>http://127.0.0.1/gone.exe</web_installer_download_url>"
      "</fresh_install></vrelwebinstaller>";
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Proceed);
  EXPECT_TRUE(handOver_.updaterPath.empty());
  EXPECT_TRUE(window_.boxes.empty());
}

}  // namespace
}  // namespace vwi
