#include "validation/version_check.h"

#include <gtest/gtest.h>

#include "download/win/win_stream_downloader.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"
#include "win/download/test_servers.h"

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
    return CheckVersion(context, flags, system, downloader, handOver);
  }

  test::TempFolder folder;
  InstallerContext context;
  AppFlags flags;
  WinSystemServices system;
  WinStreamDownloader downloader;
  ValidationHandOver handOver;
};

TEST_F(Validation, CheckVersionAgainstServedFiles) {
  EXPECT_EQ(Check(NginxUrl(u"/version-ok.xml")), VersionCheckResult::UpToDate);
  EXPECT_EQ(handOver.downloadResult, 1);
  EXPECT_EQ(context.manifest.standaloneVersion, u"28.1.0.7");
  EXPECT_EQ(Check(NginxUrl(u"/version-too-old.xml")), VersionCheckResult::ClientTooOld);
  flags.productInstalled = 1;
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

TEST_F(Validation, NewerInstallerLandsInAFreshTemporaryFolder) {
  context.manifest.freshInstall.downloadUrl = NginxUrl(u"/updater.exe");
  ASSERT_TRUE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  const std::wstring path = ToWide(handOver.updaterPath);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(path.rfind(std::wstring(temp) + L"VrelWebInstaller_", 0), 0u) << path.c_str();
  EXPECT_EQ(path.substr(path.size() - 16), L"\\Vimzee Home.exe");
  EXPECT_EQ(test::ReadBytes(path), test::ServedBytes("updater.exe"));
  handOver.outcome = ValidationOutcome::HandOver;
  EXPECT_EQ(UpdaterToLaunch(handOver, system), handOver.updaterPath);
  DeleteFileW(path.c_str());
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

}  // namespace
}  // namespace vwi
