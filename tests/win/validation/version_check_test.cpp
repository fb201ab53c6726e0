#include "validation/version_check.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "download/payload_files.h"
#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"
#include "unit/download/sha256_vectors.h"
#include "validation/run_validation.h"
#include "validation/win/client_validator.h"
#include "win/download/test_servers.h"
#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using test::FaultUrl;
using test::NginxUrl;

class Validation : public ::testing::Test {
 protected:
  void SetUp() override {
    VWI_REQUIRE_SERVERS();
    context.componentFolder = folder.Folder16();
    context.manifest.webInstallerVersion = u"28.1.0.4";
    context.manifest.fullName = u"Vimzee Home";
  }
  VersionCheckResult Check(const std::u16string& url) {
    context.manifest.versionCheckUrl = url;
    return CheckVersion(context, flags, downloader, handOver);
  }

  test::TempFolder folder;
  InstallerContext context;
  AppFlags flags;
  WinSystemServices system;
  test::FastTransfers downloader;
  ValidationHandOver handOver;
};

TEST_F(Validation, CheckVersionAgainstServedFiles) {
  EXPECT_EQ(Check(NginxUrl(u"/version-ok.xml")), VersionCheckResult::UpToDate);
  EXPECT_EQ(handOver.downloadResult, 1);
  EXPECT_EQ(context.manifest.standaloneVersion, u"28.1.0.7");
  EXPECT_EQ(Check(NginxUrl(u"/version-too-old.xml")), VersionCheckResult::ClientTooOld);
  flags.productInstalled = true;
  context.installedVersion = u"28.1.0.7";
  EXPECT_EQ(Check(NginxUrl(u"/version-ok.xml")), VersionCheckResult::AlreadyInstalled);
  context.installedVersion = u"28.1.0.6";
  EXPECT_EQ(Check(NginxUrl(u"/version-ok.xml")), VersionCheckResult::UpToDate);
  // Out of order: the patch offer's minimum (28.1.0.9) is still found.
  EXPECT_EQ(Check(NginxUrl(u"/version-order.xml")), VersionCheckResult::ClientTooOld);
  EXPECT_EQ(context.manifest.patchInstall.downloadUrl,
            u"http://127.0.0.1/patch/VimzeeHomeSetup.exe");
}

TEST_F(Validation, UnreachableOrUnreadableVersionFile) {
  EXPECT_EQ(Check(u"http://127.0.0.1:1/version.xml"), VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 0);
  EXPECT_EQ(Check(NginxUrl(u"/no-such.xml")), VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(Check(NginxUrl(u"/version-empty.xml")), VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(Check(FaultUrl(u"/cut/5000/100")), VersionCheckResult::ServerUnreachable);
  // A readable file of another root: the values already held decide.
  EXPECT_EQ(Check(NginxUrl(u"/version-noroot.xml")), VersionCheckResult::UpToDate);
  context.manifest.freshInstall.minWebInstallerVersion = u"28.1.0.9";
  EXPECT_EQ(Check(NginxUrl(u"/version-noroot.xml")), VersionCheckResult::ClientTooOld);
}

std::u16string ServedDigest(const char* name) { return test::Sha256HexOf(test::ServedBytes(name)); }

TEST_F(Validation, NewerInstallerLandsInAFreshTemporaryFolder) {
  // This test program is not signed: the version file's digest proves the
  // newer installer.
  context.manifest.freshInstall.downloadUrl = NginxUrl(u"/updater.exe");
  context.manifest.freshInstall.webInstallerSha256 = ServedDigest("updater.exe");
  ASSERT_TRUE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  const std::wstring path = ToWide(handOver.updaterPath);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(path.rfind(std::wstring(temp) + L"VrelWebInstaller_", 0), 0u) << path.c_str();
  EXPECT_EQ(path.substr(path.size() - 16), L"\\Vimzee Home.exe");
  EXPECT_EQ(test::ReadBytes(path), test::ServedBytes("updater.exe"));
  handOver.outcome = ValidationOutcome::HandOver;
  EXPECT_EQ(UpdaterToLaunch(handOver, system), handOver.updaterPath);
  // Held, and so is its folder: it cannot be renamed away or replaced.
  EXPECT_FALSE(MoveFileW(path.substr(0, path.rfind(L'\\')).c_str(), (path + L".moved").c_str()));
  handOver.updaterHold.reset();
  handOver.updaterFolder.reset();
  EXPECT_TRUE(DeleteFileW(path.c_str()));
  RemoveDirectoryW(path.substr(0, path.rfind(L'\\')).c_str());

  // A truncated or refused updater is never left behind to be started.
  Sleep(2);
  context.manifest.freshInstall.downloadUrl = FaultUrl(u"/cut/70000/1000");
  EXPECT_FALSE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  EXPECT_EQ(handOver.updaterPath, u"");
  EXPECT_EQ(handOver.downloadResult, 0);
  EXPECT_FALSE(UpdaterToLaunch(handOver, system));
  context.manifest.freshInstall.downloadUrl = FaultUrl(u"/status/404?len=10");
  EXPECT_FALSE(DownloadNewInstaller(context, flags, system, downloader, handOver));
}

// The validator's view of a window that is not there: boxes are recorded.
struct NoWindow : IValidationWindow, IMessageBox {
  std::vector<std::u16string> texts;
  void Wait(uint32_t) override {}
  void Hide() override {}
  IMessageBox& Messages() override { return *this; }
  std::u16string InstalledExecutablePath() override { return {}; }
  void LaunchUnelevated(const std::u16string&) override {}
  void Close() override {}
  int Show(std::u16string_view text, std::u16string_view, uint32_t) override {
    texts.emplace_back(text);
    return message_box::kAnswerOk;
  }
};

// Writes a version file into the served folder that asks for a newer
// installer (the served updater.exe) with `digest` as its digest.
std::u16string ServeVersionFile(const std::string& name, const std::string& digest) {
  const std::u16string www = test::EnvText("VWI_WWW");
  std::ofstream(std::filesystem::path(ToWide(www) + L"\\" + std::wstring(name.begin(), name.end())))
      << "<vrelwebinstaller><fresh_install>"
         "<min_web_installer_version>28.1.0.5</min_web_installer_version>"
         "<web_installer_download_url>"
      << Utf8FromUtf16(NginxUrl(u"/updater.exe"))
      << "</web_installer_download_url><web_installer_sha256>" << digest
      << "</web_installer_sha256></fresh_install></vrelwebinstaller>";
  return NginxUrl(u"/" + std::u16string(name.begin(), name.end()));
}

TEST_F(Validation, NewerInstallerDifferingFromItsDigestIsNeverHandedOver) {
  const std::vector<uint8_t> served = test::ServedBytes("updater.exe");
  std::string right = Utf8FromUtf16(Sha256Hex(*Sha256OfBytes(served.data(), served.size())));
  std::string wrong = right;
  wrong[10] = wrong[10] == '0' ? '1' : '0';
  NoWindow window;

  context.manifest.versionCheckUrl = ServeVersionFile("version-updater-bad.xml", wrong);
  RunValidation(context, flags, system, downloader, window, handOver);
  EXPECT_EQ(handOver.outcome, ValidationOutcome::Stop);
  EXPECT_EQ(handOver.failureCause, FailureCause::PayloadIntegrity);
  EXPECT_EQ(handOver.updaterPath, u"");
  EXPECT_FALSE(UpdaterToLaunch(handOver, system));
  ASSERT_EQ(window.texts.size(), 1u);
  EXPECT_EQ(window.texts[0].rfind(u"The downloaded file Vimzee Home.exe is damaged", 0), 0u);
  // The file it fetched is gone from its folder.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  WIN32_FIND_DATAW found;
  const std::wstring pattern = std::wstring(temp) + L"VrelWebInstaller_*";
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
    const std::wstring updater = std::wstring(temp) + found.cFileName + L"\\Vimzee Home.exe";
    EXPECT_EQ(GetFileAttributesW(updater.c_str()), INVALID_FILE_ATTRIBUTES) << found.cFileName;
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);

  Sleep(2);  // a fresh folder for the next updater
  handOver = {};
  for (char& c : right) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  context.manifest.versionCheckUrl = ServeVersionFile("version-updater-ok.xml", right);
  RunValidation(context, flags, system, downloader, window, handOver);
  EXPECT_EQ(handOver.outcome, ValidationOutcome::HandOver);
  EXPECT_EQ(handOver.failureCause, FailureCause::None);
  ASSERT_TRUE(UpdaterToLaunch(handOver, system));
  EXPECT_EQ(test::ReadBytes(ToWide(handOver.updaterPath)), served);
  // Held from its check until it has been started: nobody can swap it.
  EXPECT_FALSE(DeleteFileW(ToWide(handOver.updaterPath).c_str()));
  handOver.updaterHold.reset();
  handOver.updaterFolder.reset();
  EXPECT_TRUE(DeleteFileW(ToWide(handOver.updaterPath).c_str()));
  RemoveDirectoryW(
      ToWide(handOver.updaterPath.substr(0, handOver.updaterPath.rfind(u'\\'))).c_str());
}

TEST_F(Validation, WithoutItsWindowTheCheckStillRuns) {
  // This test program carries no dialog templates: the validator's window
  // cannot be made. The check must run all the same, and here it finds
  // that a newer installer is required.
  const std::vector<uint8_t> served = test::ServedBytes("updater.exe");
  const std::string digest = Utf8FromUtf16(Sha256Hex(*Sha256OfBytes(served.data(), served.size())));
  context.manifest.versionCheckUrl = ServeVersionFile("version-windowless.xml", digest);
  CClientValidator validator;
  validator.RunModal(context, flags);
  EXPECT_EQ(validator.outcome, static_cast<int32_t>(ValidationOutcome::HandOver));
  ASSERT_FALSE(validator.updaterPath.empty());
  EXPECT_EQ(test::ReadBytes(ToWide(validator.updaterPath)), served);
  validator.updaterHold.reset();
  validator.updaterFolder.reset();
  DeleteFileW(ToWide(validator.updaterPath).c_str());
  RemoveDirectoryW(
      ToWide(validator.updaterPath.substr(0, validator.updaterPath.rfind(u'\\'))).c_str());
}

}  // namespace
}  // namespace vwi
