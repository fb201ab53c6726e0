#include "validation/version_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "download/payload_files.h"
#include "platform/posix/native_path.h"
#include "platform/posix/posix_system_services.h"
#include "unit/download/sha256_vectors.h"
#include "unit/download/transfer_doubles.h"

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
  m.standalone = true;
  EXPECT_EQ(CompareVersions(m, u"", false), VersionCheckResult::UpToDate);
}

TEST_F(Compare, InstalledProductComparesTheOfferFirst) {
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::AlreadyInstalled);
  m.standaloneVersion = u"27.0.0.101";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::UpToDate);
  m.patchInstall.minWebInstallerVersion = u"28.1.0.9";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::ClientTooOld);
  m.standalone = true;
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::UpToDate);
  m.standaloneVersion = u"27.0.0.100";
  EXPECT_EQ(CompareVersions(m, u"27.0.0.100", true), VersionCheckResult::AlreadyInstalled);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Served(const std::string& name) { return FileText(kServed + name); }

TEST(ReadVersionText, FillsTheOffersAndTheOfferedVersion) {
  ProductManifest m;
  ASSERT_TRUE(ReadVersionText(Served("version-ok.xml"), m));
  EXPECT_EQ(m.latestProductCode, u"{5C2B7A4E-3F1D-4E8A-9B6C-0D1E2F3A4B5C}");
  EXPECT_EQ(m.freshInstall.productVersion, u"28.1.0.7");
  EXPECT_EQ(m.freshInstall.minWebInstallerVersion, u"28.1.0.4");
  EXPECT_EQ(m.freshInstall.downloadUrl, u"http://127.0.0.1/fresh/VimzeeHomeSetup.exe");
  EXPECT_EQ(m.patchInstall.downloadUrl, u"http://127.0.0.1/patch/VimzeeHomeSetup.exe");
  EXPECT_EQ(m.standaloneVersion, u"28.1.0.7");
}

TEST(ReadVersionText, ElementsOutOfOrderAreNotSeen) {
  ProductManifest m;
  ASSERT_TRUE(ReadVersionText(Served("version-order.xml"), m));
  // The URL stands before the minimum version: the minimum is still found,
  // the URL that came first is not.
  EXPECT_EQ(m.patchInstall.productVersion, u"28.1.0.8");
  EXPECT_EQ(m.patchInstall.minWebInstallerVersion, u"28.1.0.9");
  EXPECT_EQ(m.patchInstall.downloadUrl, u"");
  EXPECT_EQ(m.freshInstall.minWebInstallerVersion, u"28.1.0.2");

  // product_code last: the groups are searched after it, so neither is seen.
  ProductManifest g;
  g.standaloneVersion = u"27.0.0.1";
  ASSERT_TRUE(ReadVersionText(Served("version-groups.xml"), g));
  EXPECT_EQ(g.latestProductCode, u"{LAST}");
  EXPECT_EQ(g.freshInstall.minWebInstallerVersion, u"");
  EXPECT_EQ(g.standaloneVersion, u"27.0.0.1");
}

TEST(ReadVersionText, EmptyAndForeignTexts) {
  ProductManifest m;
  m.standaloneVersion = u"1.0.0.1";
  EXPECT_FALSE(ReadVersionText("", m));
  EXPECT_FALSE(ReadVersionText(Served("version-empty.xml"), m));
  EXPECT_TRUE(ReadVersionText(Served("version-noroot.xml"), m));
  EXPECT_EQ(m.standaloneVersion, u"1.0.0.1");
  EXPECT_EQ(m.patchInstall.productVersion, u"");
}

TEST(ReadVersionText, ATextAboveItsSmallLimitIsNotRead) {
  const std::string body =
      "<vrelwebinstaller><patch_install><product_version>27.0.0.9</product_version>"
      "</patch_install></vrelwebinstaller>";
  for (const bool padded : {false, true}) {
    ProductManifest m;
    EXPECT_EQ(ReadVersionText(body + (padded ? std::string(kMaxVersionFileBytes, ' ') : ""), m),
              !padded);
    EXPECT_EQ(m.patchInstall.productVersion, padded ? u"" : u"27.0.0.9");
  }
}

// The signatures a test gives this installer and its newer one.
struct FakeSignatures : ISignatureReader {
  SignatureFacts OwnSignature() override { return own; }
  SignatureFacts Read(IHeldFile& file, const std::u16string& path) override {
    read.push_back(path);
    EXPECT_TRUE(file.Size());
    return updater;
  }
  SignatureFacts own;
  SignatureFacts updater;
  std::vector<std::u16string> read;
};

SignatureFacts SignedWith(uint8_t key) {
  SignatureFacts facts;
  facts.present = true;
  facts.intact = true;
  facts.signerKey = Sha256Digest{};
  (*facts.signerKey)[0] = key;
  return facts;
}

struct Check : ::testing::Test {
  Check() : system(std::nullopt, U(temp.string() + "/temp/")) {
    std::filesystem::create_directories(temp / "component");
    std::filesystem::create_directories(temp / "temp");
    context.componentFolder = U((temp / "component").string() + "/");
    context.manifest.versionCheckUrl = u"http://dl/version.xml";
    context.manifest.webInstallerVersion = u"28.1.0.4";
    context.manifest.fullName = u"Vimzee Home";
    system.SetTickCount(4242);
    checks.signatures = &signatures;
  }
  ~Check() override { std::filesystem::remove_all(temp); }
  bool DownloadNew() {
    return DownloadNewInstaller(context, flags, system, downloader, handOver, checks);
  }

  std::filesystem::path temp =
      std::filesystem::temp_directory_path() /
      ("vwi_check_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
       std::to_string(reinterpret_cast<uintptr_t>(this)));
  PosixSystemServices system;
  InstallerContext context;
  AppFlags flags;
  test::ServedTransfers downloader;
  FakeSignatures signatures;
  DownloadChecks checks;
  ValidationHandOver handOver;
};

TEST_F(Check, ServedVersionFileDecides) {
  downloader.bodies[u"http://dl/version.xml"] = Served("version-ok.xml");
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver), VersionCheckResult::UpToDate);
  EXPECT_EQ(handOver.downloadResult, 1);
  EXPECT_EQ(context.manifest.freshInstall.downloadUrl,
            u"http://127.0.0.1/fresh/VimzeeHomeSetup.exe");
  // Read from memory: nothing was written anywhere.
  EXPECT_TRUE(std::filesystem::is_empty(temp / "component"));

  downloader.bodies[u"http://dl/version.xml"] = Served("version-too-old.xml");
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver), VersionCheckResult::ClientTooOld);
}

TEST_F(Check, APlantedVersionFileIsNeverReadWhateverItsName) {
  // Another program leaves a version file that requires a newer installer
  // under every name the run could choose, and the server stays silent.
  for (const char* name : {"4242version.xml", "version.xml"}) {
    std::ofstream(temp / "component" / name) << Served("version-too-old.xml");
  }
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 0);
  EXPECT_EQ(context.manifest.freshInstall.downloadUrl, u"");
}

TEST_F(Check, UnreadableVersionFileIsUnreachableWhateverTheDownloadSaid) {
  downloader.bodies[u"http://dl/version.xml"] = "";
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 1);
}

TEST_F(Check, ASignInPageInPlaceOfTheVersionFileIsAnUnreachableServer) {
  downloader.bodies[u"http://dl/version.xml"] =
      "<html><head><title>Hotel Wi-Fi</title></head><body>" + Served("version-ok.xml");
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(context.manifest.freshInstall.downloadUrl, u"");
}

TEST_F(Check, TheTransferStopsAtTheVersionFilesLimit) {
  downloader.bodies[u"http://dl/version.xml"] =
      Served("version-ok.xml") + std::string(2 * kMaxVersionFileBytes, ' ');
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver),
            VersionCheckResult::ServerUnreachable);
  EXPECT_EQ(handOver.downloadResult, 0);
  EXPECT_LE(downloader.taken, static_cast<size_t>(kMaxVersionFileBytes));
}

TEST_F(Check, StandaloneComparesWithoutFetching) {
  context.manifest.standalone = true;
  context.manifest.standaloneVersion = u"27.0.0.100";
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver), VersionCheckResult::UpToDate);
  flags.productInstalled = true;
  context.installedVersion = u"27.0.0.100";
  EXPECT_EQ(CheckVersion(context, flags, downloader, handOver),
            VersionCheckResult::AlreadyInstalled);
  EXPECT_TRUE(downloader.urls.empty());
}

TEST_F(Check, NewerInstallerFromTheMatchingOfferWithItsDigest) {
  context.manifest.freshInstall.downloadUrl = u"http://dl/fresh.exe";
  context.manifest.freshInstall.webInstallerSha256 = test::Sha256HexOf("MZ-updater");
  context.manifest.patchInstall.downloadUrl = u"http://dl/patch.exe";
  context.manifest.patchInstall.webInstallerSha256 = test::Sha256HexOf("MZ-updater");
  downloader.bodies[u"http://dl/patch.exe"] = "MZ-updater";
  // Fresh machine: the fresh offer's URL, which fails here.
  EXPECT_FALSE(DownloadNew());
  EXPECT_EQ(downloader.urls.back(), u"http://dl/fresh.exe");
  EXPECT_EQ(handOver.updaterPath, u"");
  EXPECT_EQ(handOver.failureCause, FailureCause::DownloadFailed);
  EXPECT_EQ(handOver.downloadResult, 0);
  flags.productInstalled = true;
  ASSERT_TRUE(DownloadNew());
  EXPECT_EQ(downloader.urls.back(), u"http://dl/patch.exe");
  // The failed try's folder is never used again: the next number is.
  EXPECT_NE(handOver.updaterPath.find(u"VrelWebInstaller_4243"), std::u16string::npos);
  ASSERT_TRUE(handOver.updaterHold);  // held until it has been started
  ASSERT_TRUE(handOver.updaterFolder);
  EXPECT_EQ(handOver.downloadResult, 1);
  // Only a hand-over outcome with an existing file starts it at exit.
  EXPECT_FALSE(UpdaterToLaunch(handOver, system));
  handOver.outcome = ValidationOutcome::HandOver;
  EXPECT_EQ(UpdaterToLaunch(handOver, system), handOver.updaterPath);
  // An empty URL fails at once.
  context.manifest.patchInstall.downloadUrl.clear();
  const size_t asked = downloader.urls.size();
  EXPECT_FALSE(DownloadNew());
  EXPECT_EQ(downloader.urls.size(), asked);
}

TEST_F(Check, AnUnsignedBuildNeverFetchesANewerInstallerWithoutADigest) {
  context.manifest.freshInstall.downloadUrl = u"http://dl/fresh.exe";
  downloader.bodies[u"http://dl/fresh.exe"] = "MZ-updater";
  EXPECT_FALSE(DownloadNew());
  EXPECT_TRUE(downloader.urls.empty());
  EXPECT_EQ(handOver.failureCause, FailureCause::PayloadIntegrity);
  EXPECT_TRUE(std::filesystem::is_empty(temp / "temp"));
}

TEST_F(Check, ASignedBuildTakesOnlyANewerInstallerSignedWithItsKey) {
  context.manifest.freshInstall.downloadUrl = u"http://dl/fresh.exe";
  downloader.bodies[u"http://dl/fresh.exe"] = "MZ-updater";
  signatures.own = SignedWith(1);
  signatures.updater = SignedWith(1);
  ASSERT_TRUE(DownloadNew());
  EXPECT_EQ(signatures.read, std::vector<std::u16string>{handOver.updaterPath});
  const std::u16string accepted = handOver.updaterPath;

  // Another publisher, a broken signature, a refused chain, no signature at
  // all: each is removed and never handed over to.
  SignatureFacts broken = SignedWith(1);
  broken.intact = false;
  SignatureFacts untrustedRoot = SignedWith(1);
  untrustedRoot.chainErrors = 0x20;
  for (const SignatureFacts& refused : {SignedWith(2), broken, untrustedRoot, SignatureFacts{}}) {
    signatures.updater = refused;
    handOver = {};
    EXPECT_FALSE(DownloadNew());
    EXPECT_EQ(handOver.failureCause, FailureCause::PayloadIntegrity);
    EXPECT_EQ(handOver.updaterPath, u"");
    EXPECT_FALSE(handOver.updaterHold);
  }
  // Only the accepted one's file is left.
  size_t files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(temp / "temp")) {
    files += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(files, 1u);
  EXPECT_TRUE(std::filesystem::exists(NativePath(accepted)));
  // With a digest too, both must hold.
  signatures.updater = SignedWith(1);
  context.manifest.freshInstall.webInstallerSha256 = test::Sha256HexOf("something else");
  handOver = {};
  EXPECT_FALSE(DownloadNew());
  EXPECT_EQ(handOver.failureCause, FailureCause::PayloadIntegrity);
}

}  // namespace
}  // namespace vwi
