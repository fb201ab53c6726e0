#include "install/download_phase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "download/cancel_token.h"
#include "download/fetch_payload.h"
#include "install/install_status.h"
#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"
#include "unit/download/sha256_vectors.h"
#include "win/context/user_services.h"
#include "win/download/test_servers.h"
#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using test::NginxUrl;

// One volume with a fixed amount of free space; the folders asked are kept.
struct FixedVolume : IFreeSpace {
  uint64_t free = 0;
  std::vector<std::u16string> asked;
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    asked.push_back(folder);
    return free;
  }
};

// The digest of "abc": no package of the tests.
constexpr const char16_t* kOtherDigest = test::kAbcSha256;

// A step that did not pass, with its cause (None: stopped for a cancel).
void ExpectFailed(const StepResult& result, FailureCause cause) {
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.cause, cause);
}

class Phase : public ::testing::Test {
 protected:
  void SetUp() override {
    VWI_REQUIRE_SERVERS();
    ASSERT_TRUE(folders.Prepare(beside, FromWide(folder.path()), false));
    manifest.webInstallerVersion = u"28.1.0.4";
    manifest.shortName = u"Vimzee";
  }
  void TearDown() override { folders.Finish(); }
  // An item downloaded into the msi work folder as "got-<name>".
  InstallItem Item(const std::u16string& name) {
    InstallItem item{
        name, NginxUrl(u"/" + name), folders.Path(WorkFolder::Msi) + u"got-" + name, u"", 1, 0};
    item.folder = WorkFolder::Msi;
    item.fileName = u"got-" + name;
    return item;
  }
  // The files in the msi work folder, sorted.
  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    for (const std::u16string& name : folders.Folder(WorkFolder::Msi)->Names()) {
      names.push_back(ToWide(name));
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::wstring File(const std::wstring& name) const { return folder.File(L"msi\\" + name); }
  // The packages a run accepts stay held until the next run of the phase.
  StepResult Download(const std::vector<InstallItem>& items, const DownloadChecks& checks = {}) {
    held.clear();
    return DownloadItems(
        items, {folders, transfers, checks, cancel, status, held, {true, 0, test::FastPolicy()}});
  }
  FetchResult Fetch(CDownloadJob& job, std::u16string_view name) {
    const std::optional<std::u16string> noDigest;
    return FetchPayload(job, {*folders.Folder(WorkFolder::Msi), name, noDigest, name}, transfers,
                        {}, cancel);
  }
  StepResult Recheck() {
    return RecheckVersion({manifest, installedVersion, productInstalled}, transfers, cancel,
                          test::FastPolicy());
  }

  test::FastTransfers transfers;
  test::TempFolder folder;
  test::UserServices beside;  // the work folders lie beside a program in the test's folder
  WorkFolders folders;
  CancelToken cancel;
  InstallStatus status;
  HeldPayloads held;
  ProductManifest manifest;
  std::u16string installedVersion;
  bool productInstalled = false;
};

TEST_F(Phase, ThirdOfFourPackagesMissingLeavesTwoFiles) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi"), Item(u"gone.mst"),
                                    Item(u"lp.exe")};
  ExpectFailed(Download(items), FailureCause::DownloadFailed);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"got-main.msi", L"got-prereq.exe"}));
  EXPECT_EQ(test::ReadBytes(File(L"got-main.msi")), test::ServedBytes("main.msi"));
  EXPECT_EQ(test::ReadBytes(File(L"got-prereq.exe")), test::ServedBytes("prereq.exe"));
  // The last report is the third package's start, before its size query failed.
  const InstallStatusFields f = status.Read();
  EXPECT_EQ(f.state, InstallState::Downloading);
  EXPECT_EQ(f.itemIndex, 2);
  EXPECT_EQ(f.itemPercent, 0);
  EXPECT_EQ(f.itemText, u"gone.mst");
}

TEST_F(Phase, PositionCountsDownloadedPackagesOnly) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi"), Item(u"lp.exe")};
  items[0].download = 0;
  EXPECT_TRUE(Download(items).passed);
  EXPECT_EQ(Files(), (std::vector<std::wstring>{L"got-lp.exe", L"got-main.msi"}));
  const InstallStatusFields f = status.Read();
  EXPECT_EQ(f.itemIndex, 1);
  EXPECT_EQ(f.itemText, u"lp.exe");
  EXPECT_EQ(f.itemPercent, 100);
}

TEST_F(Phase, CancelStopsThePhase) {
  std::vector<InstallItem> items = {Item(u"main.msi")};
  cancel.Cancel();
  ExpectFailed(Download(items), FailureCause::None);
  EXPECT_TRUE(Files().empty());
  // A fetch asked for after the cancel reports Failed and creates nothing.
  std::vector<DownloadStatusInfo> seen;
  CDownloadJob job(NginxUrl(u"/main.msi"), u"x.msi");
  job.callback = [&](const DownloadStatusInfo& i) { seen.push_back(i); };
  const FetchResult fetched = Fetch(job, u"x.msi");
  EXPECT_EQ(fetched.cause, FailureCause::DownloadFailed);
  EXPECT_EQ(fetched.transfer.failure, TransferFailure::Cancelled);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].state, DownloadState::Failed);
  EXPECT_TRUE(Files().empty());
}

TEST_F(Phase, AFailedDownloadCarriesItsKindStatusAndAddress) {
  const StepResult missing = Download({Item(u"no-such.msi")});
  ExpectFailed(missing, FailureCause::DownloadFailed);
  EXPECT_EQ(missing.failedItem, u"no-such.msi");
  EXPECT_EQ(missing.transfer.failure, TransferFailure::Status);
  EXPECT_EQ(missing.transfer.status, 404u);
  EXPECT_EQ(missing.failedAddress, NginxUrl(u"/no-such.msi"));
  InstallItem refused = Item(u"main.msi");
  refused.url = u"http://user:pw@127.0.0.1:1/main.msi";
  const StepResult unreachable = Download({refused});
  EXPECT_EQ(unreachable.transfer.failure, TransferFailure::NoConnection);
  EXPECT_EQ(unreachable.transfer.systemCode, 12029u);
  EXPECT_EQ(unreachable.failedAddress, u"http://127.0.0.1:1/main.msi");
}

TEST_F(Phase, TheFetchFillsInTheServersSize) {
  std::vector<DownloadStatusInfo> seen;
  CDownloadJob job(NginxUrl(u"/pkg-40961.bin"), u"p.bin");
  job.callback = [&](const DownloadStatusInfo& i) { seen.push_back(i); };
  ASSERT_TRUE(Fetch(job, u"p.bin").fetched());
  EXPECT_EQ(job.fileSize, 40961);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front().state, DownloadState::Downloading);
  EXPECT_EQ(seen.front().received, 0u);
  EXPECT_EQ(seen.back().state, DownloadState::Finished);
  EXPECT_EQ(seen.back().received, 40961u);
  // The first report comes before the size query; every later one carries the size.
  EXPECT_EQ(seen.front().total, 0u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_EQ(seen[i].total, 40961u);
  EXPECT_EQ(test::ReadBytes(File(L"p.bin")), test::ServedBytes("pkg-40961.bin"));
  // A file that cannot be made: a name that is no plain part.
  CDownloadJob nowhere(NginxUrl(u"/one.bin"), u"f.bin");
  const FetchResult notMade = Fetch(nowhere, u"no\\such\\f.bin");
  EXPECT_EQ(notMade.cause, FailureCause::DownloadFailed);
  EXPECT_EQ(notMade.transfer.failure, TransferFailure::NotWritable);
}

TEST_F(Phase, RecheckAgainstServedVersionFiles) {
  manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  EXPECT_TRUE(Recheck().passed);
  manifest.versionCheckUrl = NginxUrl(u"/version-too-old.xml");
  ExpectFailed(Recheck(), FailureCause::InstallerTooOld);
  productInstalled = true;
  installedVersion = u"28.1.0.7";
  manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  ExpectFailed(Recheck(), FailureCause::AlreadyInstalled);
}

TEST_F(Phase, RecheckFailsOnUnreachableOrBrokenVersionFiles) {
  manifest.versionCheckUrl = NginxUrl(u"/no-such.xml");
  const StepResult missing = Recheck();
  ExpectFailed(missing, FailureCause::DownloadFailed);
  EXPECT_EQ(missing.transfer.status, 404u);
  EXPECT_EQ(missing.failedItem, u"version.xml");
  manifest.versionCheckUrl = NginxUrl(u"/version-empty.xml");
  const StepResult empty = Recheck();
  ExpectFailed(empty, FailureCause::DownloadFailed);
  EXPECT_TRUE(empty.transfer.ok());  // it arrived, but says nothing
  manifest.versionCheckUrl = u"http://127.0.0.1:1/version.xml";
  EXPECT_EQ(Recheck().transfer.failure, TransferFailure::NoConnection);
  // Without an address only the known versions are compared.
  manifest.versionCheckUrl.clear();
  EXPECT_TRUE(Recheck().passed);
  // A version file of another root changes nothing.
  manifest.versionCheckUrl = NginxUrl(u"/version-noroot.xml");
  EXPECT_TRUE(Recheck().passed);
}

TEST_F(Phase, EachPackageMustMatchItsDigestOnceOnDisk) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi"), Item(u"lp.exe")};
  items[0].sha256 = test::Sha256HexOf(test::ServedBytes("prereq.exe"));
  items[1].sha256 = AsciiLower(test::Sha256HexOf(test::ServedBytes("main.msi")));
  EXPECT_TRUE(Download(items).passed);
  EXPECT_EQ(Files().size(), 3u);

  // The second differs: removed, the third never fetched, failed like a download.
  items[1].sha256 = kOtherDigest;
  held.clear();
  for (const std::wstring& name : Files()) DeleteFileW(File(name).c_str());
  const StepResult refused = Download(items);
  ExpectFailed(refused, FailureCause::PayloadIntegrity);
  EXPECT_EQ(refused.failedItem, u"main.msi");
  EXPECT_EQ(Files(), std::vector<std::wstring>{L"got-prereq.exe"});
}

TEST_F(Phase, ShippedPackagesAreCheckedToo) {
  // Standalone: the packages lie beside the program and are not downloaded.
  std::vector<InstallItem> items = {Item(u"main.msi"), Item(u"absent.exe")};
  for (InstallItem& item : items) item.download = false;
  const std::vector<uint8_t> shipped = test::ServedBytes("main.msi");
  std::ofstream(std::filesystem::path(File(L"got-main.msi")), std::ios::binary)
      .write(reinterpret_cast<const char*>(shipped.data()),
             static_cast<std::streamsize>(shipped.size()));
  items[0].sha256 = test::Sha256HexOf(shipped);
  items[1].sha256 = kOtherDigest;  // a missing file is passed over, as ever
  EXPECT_TRUE(Download(items).passed);
  items[0].sha256 = kOtherDigest;
  ExpectFailed(Download(items), FailureCause::PayloadIntegrity);
  EXPECT_TRUE(Files().empty());
  EXPECT_EQ(status.Read().state, InstallState::Initial);  // nothing was downloading
}

TEST_F(Phase, DownloadedPackagesStayHeldUntilTheyHaveBeenUsed) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi")};
  items[1].sha256 = test::Sha256HexOf(test::ServedBytes("main.msi"));
  EXPECT_TRUE(Download(items).passed);
  EXPECT_EQ(held.size(), 2u);
  EXPECT_FALSE(DeleteFileW(File(L"got-main.msi").c_str()));
  EXPECT_FALSE(DeleteFileW(File(L"got-prereq.exe").c_str()));
  held.clear();
  for (const std::wstring& name : Files()) {
    EXPECT_TRUE(DeleteFileW(File(name).c_str()));
  }
}

TEST_F(Phase, FullVolumeStopsBeforeTheFileIsCreated) {
  FixedVolume volume;
  std::vector<uint64_t> told;
  DownloadChecks checks;
  checks.freeSpace = &volume;
  checks.onOutOfDisk = [&](uint64_t megabytes) { told.push_back(megabytes); };
  volume.free = 10 * 1024 * 1024 + 123457;  // main.msi and the margin fit exactly
  std::vector<InstallItem> items = {Item(u"main.msi")};
  EXPECT_TRUE(Download(items, checks).passed);
  const std::u16string target = folders.Path(WorkFolder::Msi);
  EXPECT_EQ(volume.asked, std::vector<std::u16string>{target.substr(0, target.size() - 1)});
  held.clear();
  DeleteFileW(File(L"got-main.msi").c_str());

  volume.free -= 1;
  // The user was told why: not a failed download, so no server box.
  ExpectFailed(Download(items, checks), FailureCause::DiskSpace);
  EXPECT_EQ(told, std::vector<uint64_t>{11});
  EXPECT_TRUE(Files().empty());
}

TEST_F(Phase, TheRecheckReadsWhatArrivedAndNeverAFileOnDisk) {
  // A version file planted under every name the run could give it, and a
  // server that cannot be reached: the run fails as unreachable.
  for (const wchar_t* name : {L"version.xml", L"1version.xml"}) {
    std::ofstream(std::filesystem::path(folder.File(std::wstring(L"component\\") + name)))
        << "<vrelwebinstaller><fresh_install><min_web_installer_version>28.1.0.9"
           "</min_web_installer_version></fresh_install></vrelwebinstaller>";
  }
  manifest.versionCheckUrl = u"http://127.0.0.1:1/version.xml";
  ExpectFailed(Recheck(), FailureCause::DownloadFailed);
  // A served one is read, and nothing of it is written.
  manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  EXPECT_TRUE(Recheck().passed);
  EXPECT_EQ(folders.Folder(WorkFolder::Component)->Names().size(), 2u);
}

}  // namespace
}  // namespace vwi
