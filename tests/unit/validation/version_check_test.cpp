#include "validation/version_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/posix_system_services.h"

namespace vwi {
namespace {

const std::string kServed = std::string(VWI_FIXTURES) + "/download/served/";

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

TEST(ParseVersion, FourDecimalPiecesOrNothing) {
  EXPECT_EQ(ParseVersion(u"28.1.0.5"), (Version{28, 1, 0, 5}));
  EXPECT_EQ(ParseVersion(u"27.0.0.100"), (Version{27, 0, 0, 100}));
  EXPECT_EQ(ParseVersion(u"1.2.3"), Version{});
  EXPECT_EQ(ParseVersion(u"1.2.3.4.5"), Version{});
  EXPECT_EQ(ParseVersion(u"1.2.34"), Version{});                  // shorter than 7 characters
  EXPECT_EQ(ParseVersion(u"1..2..3..4"), (Version{1, 2, 3, 4}));  // empty pieces skipped
  EXPECT_EQ(ParseVersion(u"1a.2b.3c.4d"), (Version{1, 2, 3, 4}));
  EXPECT_EQ(ParseVersion(u"x.y.z.w.v"), Version{});
  EXPECT_EQ(ParseVersion(u"x.yy.z.w"), Version{});
  EXPECT_EQ(ParseVersion(u""), Version{});
}

TEST(IsNewerVersion, SameMajorNotOlderMinorNewerBuildThirdIgnored) {
  EXPECT_FALSE(IsNewerVersion(u"28.0.0.5", u"27.9.9.1"));
  EXPECT_TRUE(IsNewerVersion(u"27.1.0.10", u"27.0.0.9"));
  EXPECT_FALSE(IsNewerVersion(u"27.1.5.9", u"27.1.0.9"));
  EXPECT_TRUE(IsNewerVersion(u"27.0.0.101", u"27.0.0.100"));
  EXPECT_FALSE(IsNewerVersion(u"27.0.0.100", u"27.0.0.100"));
  EXPECT_TRUE(IsNewerVersion(u"28.1.0.5", u"28.1.0.4"));
  EXPECT_FALSE(IsNewerVersion(u"28.1.0.5", u"28.1.3.5"));
  EXPECT_FALSE(IsNewerVersion(u"28.1.0.5", u"27.9.0.1"));
  EXPECT_FALSE(IsNewerVersion(u"1.2.3", u"0.0.0.0"));
}

struct Compare : ::testing::Test {
  ProductManifest m;
  Compare() {
    m.webInstallerVersion = u"28.1.0.4";
    m.standaloneVersion = u"27.0.0.100";
    m.freshInstall.minWebInstallerVersion = u"28.1.0.5";
    m.patchInstall.minWebInstallerVersion = u"28.1.0.3";
  }
};

TEST_F(Compare, FreshInstallAsksForANewerInstallerOnlyByTheRule) {
  EXPECT_EQ(CompareVersions(m, u"", false), VersionCheckResult::ClientTooOld);
  m.webInstallerVersion = u"28.1.3.5";
  EXPECT_EQ(CompareVersions(m, u"", false), VersionCheckResult::UpToDate);
  m.webInstallerVersion = u"27.9.0.1";
  EXPECT_EQ(CompareVersions(m, u"", false), VersionCheckResult::UpToDate);
  m.webInstallerVersion = u"28.1.0.4";
  m.standalone = 1;
  EXPECT_EQ(CompareVersions(m, u"", false), VersionCheckResult::UpToDate);
}

TEST_F(Compare, InstalledProductComparesTheOfferFirst) {
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::AlreadyInstalled);
  m.standaloneVersion = u"27.0.0.101";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::UpToDate);
  m.patchInstall.minWebInstallerVersion = u"28.1.0.9";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::ClientTooOld);
  m.standalone = 1;
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::UpToDate);
  m.standaloneVersion = u"27.0.0.100";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::AlreadyInstalled);
}

TEST(ReadVersionFile, FillsTheOffersAndTheOfferedVersion) {
  ProductManifest m;
  ASSERT_TRUE(ReadVersionFile(U(kServed + "version-ok.xml"), m));
  EXPECT_EQ(m.latestProductCode, u"{5C2B7A4E-3F1D-4E8A-9B6C-0D1E2F3A4B5C}");
  EXPECT_EQ(m.freshInstall.productVersion, u"28.1.0.7");
  EXPECT_EQ(m.freshInstall.minWebInstallerVersion, u"28.1.0.4");
  EXPECT_EQ(m.freshInstall.downloadUrl, u"http://127.0.0.1/fresh/VimzeeHomeSetup.exe");
  EXPECT_EQ(m.patchInstall.downloadUrl, u"http://127.0.0.1/patch/VimzeeHomeSetup.exe");
  EXPECT_EQ(m.standaloneVersion, u"28.1.0.7");
}

TEST(ReadVersionFile, ElementsOutOfOrderAreNotSeen) {
  ProductManifest m;
  ASSERT_TRUE(ReadVersionFile(U(kServed + "version-order.xml"), m));
  // The URL stands before the minimum version: the minimum is still found,
  // the URL that came first is not.
  EXPECT_EQ(m.patchInstall.productVersion, u"28.1.0.8");
  EXPECT_EQ(m.patchInstall.minWebInstallerVersion, u"28.1.0.9");
  EXPECT_EQ(m.patchInstall.downloadUrl, u"");
  EXPECT_EQ(m.freshInstall.minWebInstallerVersion, u"28.1.0.2");

  // product_code last: the groups are searched after it, so neither is seen.
  ProductManifest g;
  g.standaloneVersion = u"27.0.0.1";
  ASSERT_TRUE(ReadVersionFile(U(kServed + "version-groups.xml"), g));
  EXPECT_EQ(g.latestProductCode, u"{LAST}");
  EXPECT_EQ(g.freshInstall.minWebInstallerVersion, u"");
  EXPECT_EQ(g.standaloneVersion, u"27.0.0.1");
}

TEST(ReadVersionFile, MissingEmptyAndForeignFiles) {
  ProductManifest m;
  m.standaloneVersion = u"1.0.0.1";
  EXPECT_FALSE(ReadVersionFile(u"", m));
  EXPECT_FALSE(ReadVersionFile(U(kServed + "no-such.xml"), m));
  EXPECT_FALSE(ReadVersionFile(U(kServed + "version-empty.xml"), m));
  EXPECT_TRUE(ReadVersionFile(U(kServed + "version-noroot.xml"), m));
  EXPECT_EQ(m.standaloneVersion, u"1.0.0.1");
  EXPECT_EQ(m.patchInstall.productVersion, u"");
}

TEST(ReadVersionFile, AFileAboveItsSmallLimitIsNotRead) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "vwi-version-above-limit.xml";
  const std::string body =
      "<vrelwebinstaller><patch_install><product_version>27.0.0.9</product_version>"
      "</patch_install></vrelwebinstaller>";
  for (const bool padded : {false, true}) {
    std::ofstream(path, std::ios::binary)
        << body << (padded ? std::string(kMaxVersionFileBytes, ' ') : std::string());
    ProductManifest m;
    EXPECT_EQ(ReadVersionFile(U(path.string()), m), !padded);
    EXPECT_EQ(m.patchInstall.productVersion, padded ? u"" : u"27.0.0.9");
  }
  std::filesystem::remove(path);
}

// Serves files of the fixture folder by URL, and records what was asked.
struct FakeDownloader : IStreamDownloader {
  bool DownloadToStream(const std::u16string& url, IByteSink& out) override {
    urls.push_back(url);
    auto it = bodies.find(url);
    if (it == bodies.end()) return false;
    return out.Write(it->second.data(), it->second.size());
  }
  std::map<std::u16string, std::string> bodies;
  std::vector<std::u16string> urls;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Check : ::testing::Test {
  Check() : system(std::nullopt, U(temp.string() + "/")) {
    std::filesystem::create_directories(temp / "component");
    context.componentFolder = U((temp / "component").string() + "/");
    context.manifest.versionCheckUrl = u"http://dl/version.xml";
    context.manifest.webInstallerVersion = u"28.1.0.4";
    context.manifest.fullName = u"Vimzee Home";
    system.SetTickCount(4242);
  }
  ~Check() override { std::filesystem::remove_all(temp); }

  std::filesystem::path temp =
      std::filesystem::temp_directory_path() /
      ("vwi_check_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       std::to_string(reinterpret_cast<uintptr_t>(this)));
  PosixSystemServices system;
  InstallerContext context;
  AppFlags flags;
  FakeDownloader downloader;
  ValidationHandOver handOver;
};

TEST_F(Check, ServedVersionFileDecides) {
  downloader.bodies[u"http://dl/version.xml"] = FileText(kServed + "version-ok.xml");
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::UpToDate);
  EXPECT_EQ(handOver.downloadResult, 1);
  EXPECT_TRUE(std::filesystem::exists(temp / "component" / "4242version.xml"));
  EXPECT_EQ(context.manifest.freshInstall.downloadUrl,
            u"http://127.0.0.1/fresh/VimzeeHomeSetup.exe");

  downloader.bodies[u"http://dl/version.xml"] = FileText(kServed + "version-too-old.xml");
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::ClientTooOld);
}

TEST_F(Check, UnreadableVersionFileIsUnreachableWhateverTheDownloadSaid) {
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 0);
  downloader.bodies[u"http://dl/version.xml"] = "";
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 1);
  // No component folder to write into.
  context.componentFolder = U((temp / "none").string() + "/");
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
}

TEST_F(Check, StandaloneComparesWithoutFetching) {
  context.manifest.standalone = 1;
  context.manifest.standaloneVersion = u"27.0.0.100";
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::UpToDate);
  flags.productInstalled = 1;
  context.installedVersion = u"27.0.0.100";
  EXPECT_EQ(CheckVersion(context, flags, system, downloader, handOver),
            VersionCheckResult::AlreadyInstalled);
  EXPECT_TRUE(downloader.urls.empty());
}

TEST_F(Check, NewerInstallerFromTheMatchingOffer) {
  context.manifest.freshInstall.downloadUrl = u"http://dl/fresh.exe";
  context.manifest.patchInstall.downloadUrl = u"http://dl/patch.exe";
  downloader.bodies[u"http://dl/patch.exe"] = "MZ-updater";
  // Fresh machine: the fresh offer's URL, which fails here.
  EXPECT_FALSE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  EXPECT_EQ(downloader.urls.back(), u"http://dl/fresh.exe");
  EXPECT_EQ(handOver.updaterPath, u"");
  EXPECT_EQ(handOver.downloadResult, 0);
  flags.productInstalled = 1;
  ASSERT_TRUE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  EXPECT_EQ(downloader.urls.back(), u"http://dl/patch.exe");
  // The failed try's folder is never used again: the next number is.
  EXPECT_NE(handOver.updaterPath.find(u"VrelWebInstaller_4243"), std::u16string::npos);
  ASSERT_TRUE(handOver.updaterHold);  // held until it has been started
  EXPECT_EQ(handOver.downloadResult, 1);
  // Only a hand-over outcome with an existing file starts it at exit.
  EXPECT_FALSE(UpdaterToLaunch(handOver, system));
  handOver.outcome = ValidationOutcome::HandOver;
  EXPECT_EQ(UpdaterToLaunch(handOver, system), handOver.updaterPath);
  // An empty URL fails at once.
  context.manifest.patchInstall.downloadUrl.clear();
  const size_t asked = downloader.urls.size();
  EXPECT_FALSE(DownloadNewInstaller(context, flags, system, downloader, handOver));
  EXPECT_EQ(downloader.urls.size(), asked);
}

}  // namespace
}  // namespace vwi
