#include "validation/run_validation.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/posix/posix_system_services.h"
#include "platform/text.h"
#include "unit/download/sha256_vectors.h"
#include "unit/download/transfer_doubles.h"

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

// One volume with a fixed amount of free space.
struct FixedVolume : IFreeSpace {
  uint64_t free = 0;
  std::optional<uint64_t> FreeBytes(const std::u16string&) override { return free; }
};

// The digest of the served "abc", in capitals as a version file may give it.
const std::string kAbcDigest = [] {
  std::string upper;
  for (const char16_t c : std::u16string_view(test::kAbcSha256)) {
    upper += static_cast<char>(c >= u'a' && c <= u'z' ? c - u'a' + 'A' : c);
  }
  return upper;
}();
const std::string kAbcElement =
    std::string("<web_installer_sha256>") + kAbcDigest + "</web_installer_sha256>";

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
    context_.manifest.fullName = u"Vimzee Home 27";
    context_.manifest.versionCheckUrl = u"http://127.0.0.1/version.xml";
    context_.manifest.webInstallerVersion = u"28.1.0.4";
  }
  void TearDown() override { fs::remove_all(root_); }

  std::u16string Path(const std::string& relative) const {
    return Utf16FromUtf8((root_ / relative).string());
  }
  void Run(const DownloadChecks& checks = {}) {
    PosixSystemServices system(u"C:\\setup\\VimzeeWebInstaller.exe", Path("temp/"));
    system.SetTickCount(4242);
    RunValidation(context_, flags_, system, server_, window_, handOver_, checks);
  }
  // A version file that asks for a newer installer, with `digestElement` last in its offer.
  void OfferSuccessor(const std::string& digestElement = kAbcElement) {
    server_.bodies[context_.manifest.versionCheckUrl] =
        "<vrelwebinstaller><fresh_install>"
        "<min_web_installer_version>28.1.0.5</min_web_installer_version>"
        "<web_installer_download_url>http://127.0.0.1/new.exe</web_installer_download_url>" +
        digestElement + "</fresh_install></vrelwebinstaller>";
    server_.bodies[u"http://127.0.0.1/new.exe"] = "abc";
  }
  fs::path Successor() const {
    return root_ / "temp" / "VrelWebInstaller_4242" / "Vimzee Home 27.exe";
  }

  fs::path root_;
  InstallerContext context_;
  AppFlags flags_;
  test::ServedTransfers server_;
  FakeWindow window_;
  ValidationHandOver handOver_;
};

TEST_F(Validation, StandaloneNewProductProceedsAfterTheShortWait) {
  context_.manifest.standalone = true;
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Proceed);
  EXPECT_EQ(window_.waited, 200u);
  EXPECT_TRUE(window_.boxes.empty());
  EXPECT_FALSE(window_.hidden);
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, UnreachableServerIsReportedAndStops) {
  server_.failures[context_.manifest.versionCheckUrl] = {
      TransferFailure::NoConnection, 0, {}, 12029};
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_TRUE(window_.hidden);
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text,
            kConnectFailed + u"\n\nhttp://127.0.0.1/version.xml: no connection (12029)");
  EXPECT_EQ(window_.boxes[0].caption, u"Vimzee");
  EXPECT_EQ(window_.boxes[0].style, 0x10u);
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, AQuestionCancelledDuringTheCheckEndsTheRunCancelledWithoutABox) {
  server_.failures[context_.manifest.versionCheckUrl] = {TransferFailure::Cancelled};
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_EQ(handOver_.failureCause, FailureCause::Cancelled);
  EXPECT_TRUE(window_.boxes.empty());
}

TEST_F(Validation, TheVersionFilesBoxTellsTheCauseOfItsFailure) {
  // A refusal names its status; a sign-in page in its place says to sign in.
  Run();
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text.rfind(u"The download server refused the download (HTTP status "
                                        u"404).",
                                        0),
            0u);
  server_.bodies[context_.manifest.versionCheckUrl] = "<!DOCTYPE html><title>Sign in</title>";
  window_ = FakeWindow();
  Run();
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text.rfind(IDS_ERR_WEB_PAGE.defaultText, 0), 0u);
  EXPECT_EQ(handOver_.failureCause, FailureCause::DownloadFailed);
  // A file that arrived but is no version file keeps the unreachable server's box.
  server_.bodies[context_.manifest.versionCheckUrl] = "not XML";
  window_ = FakeWindow();
  Run();
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text, kConnectFailed);
}

TEST_F(Validation, InstalledProductIsOfferedAndStartedOnYes) {
  context_.manifest.standalone = true;
  context_.manifest.standaloneVersion = u"27.0.0.100";
  context_.installedVersion = u"27.0.0.100";
  flags_.productInstalled = true;
  window_.answer = message_box::kAnswerYes;
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text, u"Vimzee is already installed. Would you like to launch it?");
  EXPECT_EQ(window_.boxes[0].style, 0x14u);
  EXPECT_EQ(window_.launched, (std::vector<std::u16string>{window_.installedProgram}));
}

TEST_F(Validation, InstalledProductAnsweredNoOrMissingStartsNothing) {
  context_.manifest.standalone = true;
  context_.manifest.standaloneVersion = u"27.0.0.100";
  context_.installedVersion = u"27.0.0.100";
  flags_.productInstalled = true;
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
  OfferSuccessor();
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::HandOver);
  EXPECT_EQ(handOver_.updaterPath, Path("temp/") + u"VrelWebInstaller_4242\\Vimzee Home 27.exe");
  EXPECT_TRUE(fs::exists(Successor()));
  EXPECT_TRUE(window_.boxes.empty());
  EXPECT_TRUE(window_.closed);
}

TEST_F(Validation, FailedSuccessorDownloadKeepsThisInstaller) {
  OfferSuccessor();
  server_.bodies.erase(u"http://127.0.0.1/new.exe");
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Proceed);
  EXPECT_EQ(handOver_.failureCause, FailureCause::DownloadFailed);
  EXPECT_TRUE(handOver_.updaterPath.empty());
  EXPECT_TRUE(window_.boxes.empty());
}

const std::u16string kSuccessorRefused =
    u"The downloaded file Vimzee Home 27.exe is damaged or has been changed. It was deleted and "
    u"nothing was installed. Try again later. If the issue persists, please contact Customer "
    u"Care.";

TEST_F(Validation, AnUnsignedBuildStopsRatherThanTakeASuccessorItCannotProve) {
  OfferSuccessor("");
  Run();
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_EQ(handOver_.failureCause, FailureCause::PayloadIntegrity);
  EXPECT_FALSE(fs::exists(root_ / "temp" / "VrelWebInstaller_4242"));
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text, kSuccessorRefused);
}

TEST_F(Validation, SuccessorMatchingItsDigestTakesOver) {
  OfferSuccessor(std::string("<web_installer_sha256>") + kAbcDigest + "</web_installer_sha256>");
  Run();
  EXPECT_EQ(context_.manifest.freshInstall.webInstallerSha256, Utf16FromUtf8(kAbcDigest));
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::HandOver);
  EXPECT_EQ(handOver_.failureCause, FailureCause::None);
  EXPECT_TRUE(fs::exists(Successor()));
}

TEST_F(Validation, SuccessorFailingItsDigestIsRemovedNeverStartedAndStops) {
  std::string other = kAbcDigest;
  other[0] = 'C';
  for (const std::string& digest : {other, std::string("BA7816BF"), std::string()}) {
    handOver_ = {};
    window_ = FakeWindow();
    fs::remove_all(root_ / "temp" / "VrelWebInstaller_4242");
    OfferSuccessor("<web_installer_sha256>" + digest + "</web_installer_sha256>");
    Run();
    // Told like a damaged package, and the run ends: it is never started.
    EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop) << digest;
    EXPECT_EQ(handOver_.failureCause, FailureCause::PayloadIntegrity) << digest;
    EXPECT_TRUE(handOver_.updaterPath.empty());
    EXPECT_EQ(handOver_.downloadResult, 0);
    EXPECT_FALSE(fs::exists(Successor())) << digest;
    ASSERT_EQ(window_.boxes.size(), 1u);
    EXPECT_EQ(window_.boxes[0].text, kSuccessorRefused);
    EXPECT_EQ(window_.boxes[0].caption, u"Vimzee");
  }
}

TEST_F(Validation, FullVolumeForTheSuccessorIsToldAndStops) {
  OfferSuccessor();
  FixedVolume volume;
  volume.free = 10 * 1024 * 1024 + 2;  // the margin and two of the three bytes
  DownloadChecks checks;
  checks.freeSpace = &volume;
  Run(checks);
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::Stop);
  EXPECT_EQ(handOver_.failureCause, FailureCause::DiskSpace);
  EXPECT_FALSE(fs::exists(Successor()));
  EXPECT_TRUE(handOver_.updaterPath.empty());
  EXPECT_TRUE(window_.hidden);
  ASSERT_EQ(window_.boxes.size(), 1u);
  EXPECT_EQ(window_.boxes[0].text,
            u"The disk space required for the installation exceeds available disk space. Check "
            u"that at least 11 MB of disk space is available and try again. For more "
            u"information, please contact Customer Care.");
  EXPECT_EQ(window_.boxes[0].caption, u"Vimzee");
  EXPECT_EQ(window_.boxes[0].style, 0x10u);

  // One byte more and it fits.
  handOver_ = {};
  window_ = FakeWindow();
  volume.free += 1;
  Run(checks);
  EXPECT_EQ(handOver_.outcome, ValidationOutcome::HandOver);
  EXPECT_TRUE(window_.boxes.empty());
}

TEST_F(Validation, CausesOfTheOtherEnds) {
  Run();
  EXPECT_EQ(handOver_.failureCause, FailureCause::DownloadFailed);  // server unreachable
  handOver_ = {};
  window_ = FakeWindow();
  OfferSuccessor();
  server_.bodies.erase(u"http://127.0.0.1/new.exe");
  Run();
  EXPECT_EQ(handOver_.failureCause, FailureCause::DownloadFailed);
  handOver_ = {};
  window_ = FakeWindow();
  context_.manifest.standalone = true;
  context_.manifest.standaloneVersion = u"27.0.0.100";
  context_.installedVersion = u"27.0.0.100";
  flags_.productInstalled = true;
  Run();
  EXPECT_EQ(handOver_.failureCause, FailureCause::AlreadyInstalled);
}

}  // namespace
}  // namespace vwi
