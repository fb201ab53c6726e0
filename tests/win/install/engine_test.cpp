// Whole-engine runs: the context, the item list and the worker driven as the
// status panel drives them, against the loopback servers and the real
// Windows Installer.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "download/free_space.h"
#include "download/payload_files.h"
#include "install/install_worker.h"
#include "install/registry_prerequisite_probe.h"
#include "install/win/win_install_steps.h"
#include "install_test_support.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"
#include "platform/win/win_message_box.h"
#include "platform/win/win_system_services.h"
#include "unit/download/sha256_vectors.h"
#include "win/download/transfer_case.h"

namespace vwi {
namespace {

using namespace vwi::test;

const std::wstring kFolder = L"C:\\Program Files\\Vimzee Engine Test";
constexpr wchar_t kRegistryPath[] = L"SOFTWARE\\Orvanta\\VimzeeEngineTest";

std::u16string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? FromWide(std::wstring(value, value + std::strlen(value))) : u"";
}

struct NoLanguagePacks : IInstalledLanguagePacks {
  std::vector<int32_t> InstalledLanguagePacks() override { return {}; }
};

// Volumes that look full below one folder and roomy elsewhere.
struct FullBelow : IFreeSpace {
  std::u16string prefix;
  std::vector<std::u16string> asked;
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    asked.push_back(folder);
    if (folder.rfind(prefix, 0) == 0) return 1024;
    return SystemFreeSpace().FreeBytes(folder);
  }
};

// The digest of "abc": no package of the tests.
constexpr const char16_t* kOtherDigest = test::kAbcSha256;

std::wstring Recorded(const wchar_t* role, const wchar_t* value) {
  return ReadString(HKEY_CURRENT_USER, std::wstring(kProgramsKey) + L"\\" + role, value)
      .value_or(L"<not run>");
}
DWORD Runs(const wchar_t* role) {
  return ReadNumber(HKEY_CURRENT_USER, std::wstring(kProgramsKey) + L"\\" + role, L"Runs")
      .value_or(0);
}

class Engine : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    www = Env("VWI_WWW");
    if (www.empty()) return;
    const std::wstring dir = ToWideString(www) + L"\\install";
    CreateDirectoryW(dir.c_str(), nullptr);
    CopyInto(BuiltFixture(L"product_1.0.0.msi"), dir + L"\\Vimzee.msi");
    CopyInto(BuiltFixture(L"product_1.1.0.msi"), dir + L"\\Vimzee2.msi");
    CopyInto(BuiltFixture(L"failing.msi"), dir + L"\\failing.msi");
    CopyInto(BuiltFixture(L"prerequisite.exe"), dir + L"\\vc_redist.exe");
    CopyInto(BuiltFixture(L"language_pack.exe"), dir + L"\\language_pack_1031.exe");
    MakeTransform(dir + L"\\1031.mst", 1031);
  }
  static std::wstring ToWideString(const std::u16string& s) { return ToWide(s); }

  void SetUp() override {
    if (www.empty()) GTEST_SKIP() << "needs the loopback servers";
    Uninstall(kProductCode);
    Uninstall(kFailingCode);
    DeleteKey(HKEY_LOCAL_MACHINE, kPackageKey);
    DeleteKey(HKEY_LOCAL_MACHINE, kRegistryPath);
    DeleteKey(HKEY_CURRENT_USER, kRegistryPath);
    DeleteKey(HKEY_CURRENT_USER, L"SOFTWARE\\Orvanta\\ResourceLangID");
    DeleteKey(HKEY_LOCAL_MACHINE,
              L"SOFTWARE\\Wow6432Node\\Microsoft\\VisualStudio\\14.0\\VC\\Runtimes\\x64");
    ResetRecordedPrograms();
    // A repair may move the product's files elsewhere, leaving this copy behind.
    DeleteFileW((kFolder + L"\\Product.exe").c_str());
    CreateDirectoryW(kFolder.c_str(), nullptr);
    Fresh();
  }
  void TearDown() override {
    Uninstall(kProductCode);
    Uninstall(kFailingCode);
  }

  static std::u16string Url(const char16_t* name) {
    return u"http://127.0.0.1:" + Env("VWI_NGINX_PORT") + u"/install/" + name;
  }
  // A fresh context, as start-up leaves it: German of a multi-language product.
  void Fresh() {
    context = InstallerContext();
    flags = AppFlags();
    const std::u16string program = FromWide(ScratchFolder(L"vwi engine Ann Lee").c_str());
    context.programFolder = program;
    // Elevated, as every process is under Wine: the run's own folders in the
    // protected place.
    ASSERT_TRUE(context.PrepareWorkFolders(system));
    ProductManifest& m = context.manifest;
    m.pid = u"270";
    m.fullName = u"Vimzee Home Engine Test";
    m.shortName = u"Vimzee Home";
    m.registryPath = FromWide(kRegistryPath);
    m.webInstallerVersion = u"1.0.0.0";
    m.mainComponentName = u"Vimzee.msi";
    m.mainComponentUrl = Url(u"Vimzee.msi");
    m.mainExecutable = u"Product.exe";
    m.dependencies = {{u"vc_redist.exe", Url(u"vc_redist.exe"), u"/install /quiet"}};
    m.transforms = {{1031, u"de.mst", Url(u"1031.mst")}};
    m.languagePacks = {{1031, u"271", u"language_pack_1031", Url(u"language_pack_1031.exe")}};
    context.strings.languageId = 1031;
    context.multipleLanguages = true;
    choices = {FromWide(kFolder.c_str()) + u"\\", 1, 1031};
  }

  // Plans the run as the installation does and runs the worker to its end;
  // `during` runs on this thread meanwhile. No box is shown by the worker.
  InstallStatusFields Run(std::function<void(InstallWorker&)> during = {}) {
    BoxAnswerer noBox(L"Vimzee Home", {});
    WinMessageBox owned(nullptr);
    WinInstallSteps steps({context, context.workFolders, flags, system, SystemRegistry(), owned,
                           freeSpace ? *freeSpace : SystemFreeSpace(), transfers});
    RegistryPrerequisiteProbe probe(SystemRegistry());
    InstallPlan plan =
        BuildInstallItems(context, flags, choices.languageId, probe, packs, system.TickCount());
    items = plan.items;
    status = std::make_unique<InstallStatus>();
    {
      InstallWorker worker(*status, steps);
      worker.StartInstall(std::move(plan), choices);
      if (during) during(worker);
      worker.Join();
      result = worker.Result();
    }
    EXPECT_TRUE(noBox.Finish().empty());
    return status->Read();
  }
  // The SHA-256 of a package on the server.
  static std::u16string ServedDigest(const wchar_t* name) {
    std::unique_ptr<IHeldFolder> served = OpenHeldFolder(www + u"\\install", false).folder;
    FileHold hold = served ? served->HoldFile(FromWide(name)) : FileHold{};
    const auto digest = hold.file ? Sha256OfFile(*hold.file) : std::nullopt;
    return digest ? Sha256Hex(*digest) : u"<unreadable>";
  }
  // Nothing of the product or its programs is on the machine.
  void ExpectNothingInstalled() {
    EXPECT_EQ(Runs(L"Prerequisite"), 0u);
    EXPECT_EQ(Runs(L"LanguagePack"), 0u);
    EXPECT_FALSE(FileExists(kFolder + L"\\Product.exe"));
    EXPECT_EQ(Product(L"Version"), L"<missing>");
    EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"exe"));
  }
  float Percent() { return status->Snapshot(GetTickCount()).percent; }
  std::wstring Product(const wchar_t* name) {
    return ReadString(HKEY_LOCAL_MACHINE, kPackageKey, name).value_or(L"<missing>");
  }

  static inline std::u16string www;
  InstallerContext context;
  AppFlags flags;
  WinSystemServices system;
  NoLanguagePacks packs;
  FastTransfers transfers;
  std::unique_ptr<InstallStatus> status;
  std::vector<InstallItem> items;
  InstallChoices choices;
  IFreeSpace* freeSpace = nullptr;
  InstallResult result;
};

TEST_F(Engine, FreshInstallWithPrerequisiteTransformAndLanguagePackThenRepair) {
  const auto end = Run();
  ASSERT_EQ(end.state, InstallState::Finished);
  EXPECT_EQ(Percent(), 100.0f);
  ASSERT_EQ(items.size(), 4u);

  // The package saw the folder, the transform and the association level.
  EXPECT_TRUE(FileExists(kFolder + L"\\Product.exe"));
  EXPECT_EQ(Product(L"InstallDir"), kFolder + L"\\");
  EXPECT_EQ(Product(L"TransformLanguage"), L"1031");
  EXPECT_EQ(Product(L"ShellIntegrationLevel"), L"Free");
  EXPECT_EQ(Product(L"Version"), L"1.0.0");
  // The programs ran with their arguments, quoted paths in a folder with spaces.
  EXPECT_EQ(Recorded(L"Prerequisite", L"CommandLine"),
            L"\"" + ToWide(items[0].localPath) + L"\" /install /quiet");
  EXPECT_EQ(Recorded(L"LanguagePack", L"CommandLine"),
            L"\"" + ToWide(items[3].localPath) + L"\" /s");
  // The post-install values, and the home page for the success panel.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"InstallDir").value_or(L""),
            kFolder + L"\\");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"exe").value_or(L""),
            kFolder + L"\\Product.exe");
  EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, std::wstring(kRegistryPath) + L"\\LanguagePacks",
                       L"InitialLangID")
                .value_or(0),
            1031u);
  EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, kRegistryPath, L"ApplicationLanguage").value_or(0),
            1031u);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, L"SOFTWARE\\Orvanta\\ResourceLangID",
                       kFolder + L"\\vrelTandor2.exe")
                .value_or(L""),
            L"1031");
  EXPECT_EQ(result.homepageUrl, u"http://127.0.0.1/vimzee/home");

  // Second run: the product is installed now and the runtime is present, so
  // the prerequisite is skipped and the second version repairs the product.
  DeleteKey(HKEY_LOCAL_MACHINE, kRegistryPath);
  Fresh();
  flags.productInstalled = true;
  context.installedVersion = u"1.0.0.0";
  context.manifest.standaloneVersion = u"1.1.0.1";  // newer by its last part
  context.manifest.mainComponentUrl = Url(u"Vimzee2.msi");
  choices.fileAssociation = 0;
  ASSERT_EQ(Run().state, InstallState::Finished);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].name, u"Vimzee.msi");
  EXPECT_EQ(Runs(L"Prerequisite"), 1u);
  EXPECT_EQ(Product(L"Version"), L"1.1.0");
  EXPECT_EQ(Product(L"ShellIntegrationLevel"), L"All");
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"exe"));  // a repair writes none
}

TEST_F(Engine, AMissingPackageOnTheServerFailsWithItsStatus) {
  context.manifest.mainComponentUrl = Url(u"absent.msi");
  const auto end = Run();
  EXPECT_EQ(end.state, InstallState::Failed);
  EXPECT_EQ(Percent(), 0.0f);
  EXPECT_EQ(result.cause, FailureCause::DownloadFailed);
  EXPECT_EQ(result.failedItem, u"Vimzee.msi");
  EXPECT_EQ(result.failedAddress, Url(u"absent.msi"));
  EXPECT_EQ(result.transfer.status, 404u);
  EXPECT_EQ(Runs(L"Prerequisite"), 0u);  // nothing is installed after a failed download
  EXPECT_FALSE(FileExists(kFolder + L"\\Product.exe"));
}

TEST_F(Engine, FailingPackageRollsBackAndStopsTheSequence) {
  context.manifest.mainComponentUrl = Url(u"failing.msi");
  BoxAnswerer wineBox(L"Error", {IDOK});  // Wine shows the package's error itself
  const auto end = Run();
  wineBox.Finish();
  EXPECT_EQ(end.state, InstallState::Failed);
  EXPECT_EQ(Runs(L"Prerequisite"), 1u);
  EXPECT_EQ(Runs(L"LanguagePack"), 0u);
  EXPECT_FALSE(
      ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvanta\\VimzeeFixture\\Failing", L"Written"));
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"exe"));
  EXPECT_EQ(result.homepageUrl, u"");
  EXPECT_EQ(result.cause, FailureCause::PackageFailed);
  EXPECT_EQ(result.failedItem, u"Vimzee.msi");
  EXPECT_EQ(result.installerResult, 1603u);
}

TEST_F(Engine, CancelDuringADownloadInstallsNothing) {
  context.manifest.mainComponentUrl =
      u"http://127.0.0.1:" + Env("VWI_FAULT_PORT") + u"/slow/400000/4096/40";
  const auto end = Run([this](InstallWorker& worker) {
    for (int i = 0; i < 1000; ++i) {
      const auto fields = status->Read();
      if (fields.state == InstallState::Downloading && fields.itemIndex == 1) break;
      Sleep(10);
    }
    worker.CancelInstall();
  });
  EXPECT_EQ(end.state, InstallState::Cancelled);
  EXPECT_EQ(result.cause, FailureCause::Cancelled);
  EXPECT_EQ(Percent(), 0.0f);
  EXPECT_EQ(Runs(L"Prerequisite"), 0u);
  EXPECT_FALSE(FileExists(kFolder + L"\\Product.exe"));
}

TEST_F(Engine, CancelDuringThePackageStopsBeforeTheNextItem) {
  // The handler answers cancel. Windows rolls the package back (1602); Wine
  // ignores the answer and completes it, so the cancel is too late for that
  // package: the loop stops before the next item, the run ends Cancelled and
  // no post-install value is written.
  const auto end = Run([this](InstallWorker& worker) {
    for (int i = 0; i < 20000; ++i) {
      const auto fields = status->Read();
      if (fields.state == InstallState::Installing && fields.itemText == u"Vimzee.msi") break;
      Sleep(1);
    }
    worker.CancelInstall();
  });
  EXPECT_EQ(end.state, InstallState::Cancelled);
  EXPECT_EQ(Percent(), 0.0f);
  EXPECT_EQ(Runs(L"LanguagePack"), 0u);
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kRegistryPath, L"exe"));
  EXPECT_EQ(result.homepageUrl, u"");
}

TEST_F(Engine, PackagesDifferingFromTheirDigestAreNeverRunOrInstalled) {
  const char* kinds[] = {"dependency", "main package", "transform", "language pack"};
  for (int kind = 0; kind < 4; ++kind) {
    Fresh();
    ProductManifest& m = context.manifest;
    // Every other package carries its right digest: only the one kind differs.
    m.dependencies[0].sha256 = ServedDigest(L"vc_redist.exe");
    m.mainComponentSha256 = ServedDigest(L"Vimzee.msi");
    m.transforms[0].sha256 = ServedDigest(L"1031.mst");
    m.languagePacks[0].sha256 = ServedDigest(L"language_pack_1031.exe");
    std::optional<std::u16string>* differing[] = {&m.dependencies[0].sha256, &m.mainComponentSha256,
                                                  &m.transforms[0].sha256,
                                                  &m.languagePacks[0].sha256};
    *differing[kind] = kOtherDigest;
    const auto end = Run();
    EXPECT_EQ(end.state, InstallState::Failed) << kinds[kind];
    EXPECT_EQ(result.cause, FailureCause::PayloadIntegrity) << kinds[kind];
    // Failed like a download, naming the file; it is gone.
    EXPECT_EQ(result.failedItem, items[kind].name);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_FALSE(FileExists(ToWide(items[kind].localPath))) << kinds[kind];
    ExpectNothingInstalled();
  }
}

TEST_F(Engine, MatchingDigestsInstallAsBefore) {
  ProductManifest& m = context.manifest;
  m.dependencies[0].sha256 = ServedDigest(L"vc_redist.exe");
  m.mainComponentSha256 = AsciiLower(ServedDigest(L"Vimzee.msi"));
  m.transforms[0].sha256 = ServedDigest(L"1031.mst");
  m.languagePacks[0].sha256 = ServedDigest(L"language_pack_1031.exe");
  for (char16_t& c : *m.transforms[0].sha256) c = static_cast<char16_t>(std::toupper(c));
  ASSERT_EQ(Run().state, InstallState::Finished);
  EXPECT_EQ(result.cause, FailureCause::None);
  EXPECT_EQ(Product(L"Version"), L"1.0.0");
  EXPECT_EQ(Product(L"TransformLanguage"), L"1031");
  EXPECT_EQ(Runs(L"Prerequisite"), 1u);
  EXPECT_EQ(Runs(L"LanguagePack"), 1u);
}

TEST_F(Engine, FullDownloadVolumeIsToldAndNothingIsFetched) {
  FullBelow full;
  full.prefix = context.componentFolder.substr(0, context.componentFolder.size() - 1);
  freeSpace = &full;
  const auto end = Run();
  EXPECT_EQ(end.state, InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::DiskSpace);
  EXPECT_EQ(result.megabytesNeeded, 11u);

  ASSERT_FALSE(items.empty());
  EXPECT_FALSE(FileExists(ToWide(items[0].localPath)));
  ExpectNothingInstalled();
}

TEST_F(Engine, FullInstallationVolumeStopsBeforeAnyPackageRuns) {
  FullBelow full;
  full.prefix = FromWide(kFolder.c_str());
  freeSpace = &full;
  const auto end = Run();
  EXPECT_EQ(end.state, InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::DiskSpace);
  EXPECT_EQ(result.megabytesNeeded, 11u);  // the tiny fixture package and the margin

  EXPECT_NE(std::find(full.asked.begin(), full.asked.end(), FromWide(kFolder.c_str())),
            full.asked.end());
  ASSERT_EQ(items.size(), 4u);
  EXPECT_TRUE(FileExists(ToWide(items[1].localPath)));  // downloaded, never installed
  ExpectNothingInstalled();
}

TEST_F(Engine, ShippedPackagesOfAStandaloneProductAreCopiedCheckedAndUsedFromTheRunsFolder) {
  // Standalone: the packages lie in the folders beside the program. The
  // elevated run copies each into its own folder and uses the copy.
  ProductManifest& m = context.manifest;
  m.standalone = true;
  const std::wstring served = ToWide(www) + L"\\install\\";
  const std::wstring beside = ToWide(context.programFolder) + L"\\";
  for (const wchar_t* folder : {L"component", L"msi", L"transform"}) {
    CreateDirectoryW((beside + folder).c_str(), nullptr);
  }
  auto ship = [&] {
    CopyInto(served + L"vc_redist.exe", beside + L"component\\vc_redist.exe");
    CopyInto(served + L"Vimzee.msi", beside + L"msi\\Vimzee.msi");
    CopyInto(served + L"1031.mst", beside + L"transform\\1031.mst");
    CopyInto(served + L"language_pack_1031.exe", beside + L"component\\language_pack_1031.exe");
  };
  ship();
  context.workFolders.Finish();
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  m.dependencies[0].sha256 = ServedDigest(L"vc_redist.exe");
  m.mainComponentSha256 = kOtherDigest;
  EXPECT_EQ(Run().state, InstallState::Failed);
  EXPECT_EQ(result.cause, FailureCause::PayloadIntegrity);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_FALSE(items[1].download);
  EXPECT_EQ(items[1].localPath, context.msiFolder + u"Vimzee.msi");
  EXPECT_FALSE(FileExists(ToWide(items[1].localPath)));  // the differing copy is removed
  EXPECT_TRUE(FileExists(beside + L"msi\\Vimzee.msi"));  // and nothing beside the program
  EXPECT_TRUE(FileExists(ToWide(items[0].localPath)));   // the matching one stays
  ExpectNothingInstalled();

  m.mainComponentSha256 = ServedDigest(L"Vimzee.msi");
  EXPECT_EQ(Run().state, InstallState::Finished);
  EXPECT_EQ(result.cause, FailureCause::None);
  EXPECT_EQ(Product(L"Version"), L"1.0.0");
  EXPECT_EQ(Runs(L"Prerequisite"), 1u);
}

}  // namespace
}  // namespace vwi
