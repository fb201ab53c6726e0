#include "install/win/download_phase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/text.h"
#include "platform/win/unique_handle.h"
#include "platform/win/win_system_services.h"
#include "win/download/test_servers.h"

namespace vwi {
namespace {

using test::NginxUrl;

struct Box : IMessageBox {
  int Show(std::u16string_view text, std::u16string_view caption, uint32_t style) override {
    shown.push_back({std::u16string(text), std::u16string(caption), style});
    return message_box::kAnswerOk;
  }
  struct Shown {
    std::u16string text, caption;
    uint32_t style;
  };
  std::vector<Shown> shown;
};

// One volume with a fixed amount of free space; the folders asked are kept.
struct FixedVolume : IFreeSpace {
  uint64_t free = 0;
  std::vector<std::u16string> asked;
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    asked.push_back(folder);
    return free;
  }
};

std::u16string DigestOf(const std::vector<uint8_t>& bytes) {
  return Sha256Hex(*Sha256OfBytes(bytes.data(), bytes.size()));
}

constexpr char16_t kOtherDigest[] =
    u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

// A step that did not pass, with its cause (None: stopped for a cancel).
void ExpectFailed(const StepResult& result, FailureCause cause) {
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.cause, cause);
}

class Phase : public ::testing::Test {
 protected:
  void SetUp() override {
    VWI_REQUIRE_SERVERS();
    control.cancelEvent = cancel.get();
    control.runEvent = run.get();
    context.componentFolder = folder.Folder16();
    context.manifest.webInstallerVersion = u"28.1.0.4";
    context.manifest.shortName = u"Vimzee";
  }
  InstallItem Item(const std::u16string& name) {
    return {name, NginxUrl(u"/" + name), folder.Folder16() + u"got-" + name, u"", 1, 0};
  }

  test::TempFolder folder;
  UniqueHandleKernel cancel{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueHandleKernel run{CreateEventW(nullptr, TRUE, TRUE, nullptr)};
  DownloadControl control;
  InstallStatus status;
  InstallerContext context;
  AppFlags flags;
  WinSystemServices system;
  Box box;
};

TEST_F(Phase, ThirdOfFourPackagesMissingLeavesTwoFiles) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi"), Item(u"gone.mst"),
                                    Item(u"lp.exe")};
  ExpectFailed(DownloadItems(items, control, status), FailureCause::DownloadFailed);
  EXPECT_EQ(folder.Files(), (std::vector<std::wstring>{L"got-main.msi", L"got-prereq.exe"}));
  EXPECT_EQ(test::ReadBytes(folder.File(L"got-main.msi")), test::ServedBytes("main.msi"));
  EXPECT_EQ(test::ReadBytes(folder.File(L"got-prereq.exe")), test::ServedBytes("prereq.exe"));
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
  EXPECT_TRUE(DownloadItems(items, control, status).passed);
  EXPECT_EQ(folder.Files(), (std::vector<std::wstring>{L"got-lp.exe", L"got-main.msi"}));
  const InstallStatusFields f = status.Read();
  EXPECT_EQ(f.itemIndex, 1);
  EXPECT_EQ(f.itemText, u"lp.exe");
  EXPECT_EQ(f.itemPercent, 100);
}

TEST_F(Phase, CancelStopsThePhase) {
  std::vector<InstallItem> items = {Item(u"main.msi")};
  control.cancelRequested = true;
  ExpectFailed(DownloadItems(items, control, status), FailureCause::None);
  EXPECT_TRUE(folder.Files().empty());
  // A cancel event already signalled: the job reports Failed and creates nothing.
  control.cancelRequested = false;
  SetEvent(cancel.get());
  std::vector<DownloadStatusInfo> seen;
  CDownloadJob job(NginxUrl(u"/main.msi"), folder.Folder16() + u"x.msi");
  job.fileSize = 5;
  EXPECT_FALSE(
      DownloadOne(job, &control, [&](const DownloadStatusInfo& i) { seen.push_back(i); }).passed);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].state, DownloadState::Failed);
  EXPECT_TRUE(folder.Files().empty());
  ExpectFailed(DownloadItems(items, control, status), FailureCause::DownloadFailed);
  // No owner: nothing at all.
  EXPECT_FALSE(
      DownloadOne(job, nullptr, [&](const DownloadStatusInfo& i) { seen.push_back(i); }).passed);
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Phase, JobFillsInTheServersSize) {
  std::vector<DownloadStatusInfo> seen;
  CDownloadJob job(NginxUrl(u"/pkg-40961.bin"), folder.Folder16() + u"p.bin");
  ASSERT_TRUE(
      DownloadOne(job, &control, [&](const DownloadStatusInfo& i) { seen.push_back(i); }).passed);
  EXPECT_EQ(job.fileSize, 40961);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front().state, DownloadState::Downloading);
  EXPECT_EQ(seen.front().received, 0u);
  EXPECT_EQ(seen.back().state, DownloadState::Finished);
  EXPECT_EQ(seen.back().received, 40961u);
  // The first report comes before the size query; every later one carries the size.
  EXPECT_EQ(seen.front().total, 0u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_EQ(seen[i].total, 40961u);
  EXPECT_EQ(test::ReadBytes(folder.File(L"p.bin")), test::ServedBytes("pkg-40961.bin"));
  // A file that cannot be created.
  CDownloadJob nowhere(NginxUrl(u"/one.bin"), folder.Folder16() + u"no\\such\\dir\\f.bin");
  ExpectFailed(DownloadOne(nowhere, &control, {}), FailureCause::DownloadFailed);
}

TEST_F(Phase, RecheckAgainstServedVersionFiles) {
  context.manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  EXPECT_TRUE(RecheckVersion(context, flags, control, system, box).passed);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(context.manifest.freshInstall.minWebInstallerVersion, u"28.1.0.4");

  context.manifest.versionCheckUrl = NginxUrl(u"/version-too-old.xml");
  ExpectFailed(RecheckVersion(context, flags, control, system, box), FailureCause::InstallerTooOld);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text,
            u"The version of your client is too old, please click \"OK\" to download the latest "
            u"client.");
  EXPECT_EQ(box.shown[0].caption, u"Windows Installer");
  EXPECT_EQ(box.shown[0].style, 0x11u);

  flags.productInstalled = 1;
  context.installedVersion = u"28.1.0.7";
  context.manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  ExpectFailed(RecheckVersion(context, flags, control, system, box),
               FailureCause::AlreadyInstalled);
  ASSERT_EQ(box.shown.size(), 2u);
  EXPECT_EQ(box.shown[1].text, u"Vimzee is already installed. Would you like to launch it?");
}

TEST_F(Phase, RecheckFailsOnUnreachableOrBrokenVersionFiles) {
  for (const char16_t* path : {u"/no-such.xml", u"/version-empty.xml"}) {
    context.manifest.versionCheckUrl = NginxUrl(path);
    ExpectFailed(RecheckVersion(context, flags, control, system, box),
                 FailureCause::DownloadFailed);
  }
  context.manifest.versionCheckUrl = u"http://127.0.0.1:1/version.xml";
  ExpectFailed(RecheckVersion(context, flags, control, system, box), FailureCause::DownloadFailed);
  EXPECT_TRUE(box.shown.empty());
  // Without an address only the known versions are compared.
  context.manifest.versionCheckUrl.clear();
  EXPECT_TRUE(RecheckVersion(context, flags, control, system, box).passed);
  // A version file of another root changes nothing.
  context.manifest.versionCheckUrl = NginxUrl(u"/version-noroot.xml");
  EXPECT_TRUE(RecheckVersion(context, flags, control, system, box).passed);
  EXPECT_EQ(context.manifest.standaloneVersion, u"");
}

TEST_F(Phase, EachPackageMustMatchItsDigestOnceOnDisk) {
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi"), Item(u"lp.exe")};
  items[0].sha256 = DigestOf(test::ServedBytes("prereq.exe"));
  items[1].sha256 = AsciiLower(DigestOf(test::ServedBytes("main.msi")));
  EXPECT_TRUE(DownloadItems(items, control, status).passed);
  EXPECT_EQ(folder.Files().size(), 3u);

  // The second differs: removed, the third never fetched, failed like a download.
  items[1].sha256 = kOtherDigest;
  for (const std::wstring& name : folder.Files()) DeleteFileW(folder.File(name).c_str());
  const StepResult refused = DownloadItems(items, control, status);
  ExpectFailed(refused, FailureCause::PayloadIntegrity);
  EXPECT_EQ(refused.failedItem, u"main.msi");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"got-prereq.exe"});
}

TEST_F(Phase, ShippedPackagesAreCheckedToo) {
  // Standalone: the packages lie beside the program and are not downloaded.
  std::vector<InstallItem> items = {Item(u"main.msi"), Item(u"absent.exe")};
  for (InstallItem& item : items) item.download = 0;
  const std::vector<uint8_t> shipped = test::ServedBytes("main.msi");
  std::ofstream(std::filesystem::path(folder.File(L"got-main.msi")), std::ios::binary)
      .write(reinterpret_cast<const char*>(shipped.data()),
             static_cast<std::streamsize>(shipped.size()));
  items[0].sha256 = DigestOf(shipped);
  items[1].sha256 = kOtherDigest;  // a missing file is passed over, as ever
  EXPECT_TRUE(DownloadItems(items, control, status).passed);
  items[0].sha256 = kOtherDigest;
  ExpectFailed(DownloadItems(items, control, status), FailureCause::PayloadIntegrity);
  EXPECT_TRUE(folder.Files().empty());
  EXPECT_EQ(status.Read().state, InstallState::Initial);  // nothing was downloading
}

// The system's files, but a named folder is reported as a link: Wine cannot
// make junctions.
struct LinkedFolder : IPayloadFiles {
  std::u16string linked;
  IPayloadFiles& real = SystemPayloadFiles();
  PayloadHold Hold(const std::u16string& path) override { return real.Hold(path); }
  bool IsLink(const std::u16string& path) override { return path == linked || real.IsLink(path); }
  std::optional<uint64_t> FileSize(const std::u16string& path) override {
    return real.FileSize(path);
  }
  bool RemoveFile(const std::u16string& path) override { return real.RemoveFile(path); }
};

TEST_F(Phase, DownloadedPackagesStayHeldAndLinkedFoldersAreRefused) {
  HeldPayloads held;
  DownloadChecks checks;
  checks.held = &held;
  std::vector<InstallItem> items = {Item(u"prereq.exe"), Item(u"main.msi")};
  items[1].sha256 = DigestOf(test::ServedBytes("main.msi"));
  EXPECT_TRUE(DownloadItems(items, control, status, checks).passed);
  EXPECT_EQ(held.size(), 2u);
  EXPECT_FALSE(DeleteFileW(folder.File(L"got-main.msi").c_str()));
  EXPECT_FALSE(DeleteFileW(folder.File(L"got-prereq.exe").c_str()));
  held.clear();
  for (const std::wstring& name : folder.Files()) {
    EXPECT_TRUE(DeleteFileW(folder.File(name).c_str()));
  }

  LinkedFolder files;
  files.linked = folder.Folder16();
  checks.files = &files;
  ExpectFailed(DownloadItems(items, control, status, checks), FailureCause::DownloadFailed);
  EXPECT_TRUE(folder.Files().empty());
  EXPECT_TRUE(held.empty());
}

TEST_F(Phase, FullVolumeStopsBeforeTheFileIsCreated) {
  FixedVolume volume;
  std::vector<uint64_t> told;
  DownloadChecks checks;
  checks.freeSpace = &volume;
  checks.onOutOfDisk = [&](uint64_t megabytes) { told.push_back(megabytes); };
  volume.free = 10 * 1024 * 1024 + 123457;  // main.msi and the margin fit exactly
  std::vector<InstallItem> items = {Item(u"main.msi")};
  EXPECT_TRUE(DownloadItems(items, control, status, checks).passed);
  const std::u16string target = folder.Folder16();
  EXPECT_EQ(volume.asked, std::vector<std::u16string>{target.substr(0, target.size() - 1)});
  DeleteFileW(folder.File(L"got-main.msi").c_str());

  volume.free -= 1;
  // The user was told why: not a failed download, so no server box.
  ExpectFailed(DownloadItems(items, control, status, checks), FailureCause::DiskSpace);
  EXPECT_EQ(told, std::vector<uint64_t>{11});
  EXPECT_TRUE(folder.Files().empty());

  // The re-check's version file is checked alike.
  volume.free = 0;
  context.manifest.versionCheckUrl = NginxUrl(u"/version-ok.xml");
  ExpectFailed(RecheckVersion(context, flags, control, system, box, {}, checks),
               FailureCause::DiskSpace);
  EXPECT_EQ(told.size(), 2u);
}

}  // namespace
}  // namespace vwi
