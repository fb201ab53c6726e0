// Initialise from the manifest to the existing installation, against a
// program folder of its own, the in-memory registry and a stand-in installer.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "context/manifest_reader.h"
#include "platform/memory_registry.h"
#include "platform/posix/posix_system_services.h"
#include "platform/text.h"
#include "unit/context/probe_doubles.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

// The native file reader with the Windows-style paths the context builds.
class BackslashFiles final : public IRawFileSystem {
 public:
  std::unique_ptr<IRawFile> OpenForReading(std::u16string_view path, FileError& error) override {
    std::u16string local(path);
    for (auto& c : local) {
      if (c == u'\\') c = u'/';
    }
    return SystemFileSystem().OpenForReading(local, error);
  }
  FileError SystemError(Problem problem) override {
    return SystemFileSystem().SystemError(problem);
  }
};

const char kManifest[] =
    "<vrelwebinstaller><product_code>{CODE}</product_code><product>"
    "<pid>EN-VZH</pid><short_name>Vimzee Home</short_name>"
    "<registry>SOFTWARE\\Orvanta\\Vimzee Home\\270</registry>"
    "<standalone>STANDALONE</standalone>"
    "<main_component><name>a.msi</name><full_url>https://x/a.msi</full_url></main_component>"
    "<language_pack><lang_id>1031</lang_id></language_pack>"
    "</product></vrelwebinstaller>";

class Initialise : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vwi-initialise-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "setup" / "config");
    fs::create_directories(root_ / "setup" / "language" / "1031");
    std::ofstream(root_ / "setup" / "language" / "1031" / "stringHome.ini")
        << "[LANGUAGE]\r\nTitle=Deutsch\r\n";
  }
  void TearDown() override { fs::remove_all(root_); }

  std::u16string Windows(const fs::path& path) const {
    std::u16string text = Utf16FromUtf8(path.string());
    for (auto& c : text) {
      if (c == u'/') c = u'\\';
    }
    return text;
  }

  void WriteManifest(const fs::path& file, std::string text, const std::string& standalone) {
    text.replace(text.find("STANDALONE"), 10, standalone);
    std::ofstream(file) << text;
  }

  int32_t Run(InstallerContext& context) {
    PosixSystemServices system(Windows(root_ / "setup" / "VimzeeWebInstaller.exe"),
                               Windows(root_) + u"\\");
    ContextServices services{
        system,       flags_, registry_, products_, box_, files_, SystemCodePageConverter(),
        userLanguage_};
    return context.Initialise(services);
  }

  fs::path root_;
  AppFlags flags_;
  MemoryRegistry registry_;
  test::FakeInstalledProducts products_;
  test::RecordingMessageBox box_;
  BackslashFiles files_;
  int32_t userLanguage_ = 1033;
};

TEST_F(Initialise, FillsEverythingFromThePackagedManifest) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  userLanguage_ = 1031;
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_TRUE(context.initialised);
  EXPECT_EQ(context.manifest.pid, u"EN-VZH");
  EXPECT_EQ(context.strings.languageFolder, Windows(root_ / "setup") + u"\\language\\");
  EXPECT_EQ(context.languages,
            (std::vector<LanguageEntry>{{u"English", 1033}, {u"Deutsch", 1031}}));
  EXPECT_EQ(context.strings.languageId, 1031);
  EXPECT_TRUE(context.multipleLanguages);
  EXPECT_EQ(context.installedVersion, u"");
  EXPECT_FALSE(flags_.productInstalled);
  EXPECT_TRUE(box_.shown.empty());
  // The non-standalone manifest consulted the per-user override, creating its key.
  EXPECT_TRUE(registry_.HasKey(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\Vimzee Home\\270"));
  EXPECT_TRUE(fs::is_directory(root_ / "setup" / "component"));
}

TEST_F(Initialise, RecordedLanguageOfAnInstallationWins) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  products_.versions[u"{CODE}"] = u"27.0.1.4";
  registry_.PutNumber(RegistryRoot::kLocalMachine,
                      u"SOFTWARE\\Orvanta\\Vimzee Home\\270\\LanguagePacks", u"InitialLangID",
                      1041);
  userLanguage_ = 1031;
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_EQ(context.installedVersion, u"27.0.1.4");
  EXPECT_TRUE(flags_.productInstalled);
  EXPECT_EQ(context.strings.languageId, 1041);
  context.FinishInstallationProbe();  // asked already
  EXPECT_EQ(products_.asked.size(), 1u);
}

TEST_F(Initialise, WithoutARecordedLanguageTheInstallerIsAskedOnlyWhenFinishing) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  const std::u16string packs = u"SOFTWARE\\Orvanta\\Vimzee Home\\270\\LanguagePacks";
  products_.versions[u"{CODE}"] = u"27.0.1.4";
  products_.errors[u"{CODE}"] = 1610;  // the installer's answer shows a box
  userLanguage_ = 1031;
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  // Nothing asked, shown or created before the first window.
  EXPECT_TRUE(products_.asked.empty());
  EXPECT_TRUE(box_.shown.empty());
  EXPECT_FALSE(registry_.HasKey(RegistryRoot::kLocalMachine, packs));

  context.FinishInstallationProbe();
  EXPECT_EQ(products_.asked.size(), 1u);
  EXPECT_EQ(box_.shown.size(), 1u);
  EXPECT_FALSE(flags_.productInstalled);

  products_.errors.clear();
  InstallerContext second;
  ASSERT_EQ(Run(second), kInitialiseOk);
  second.FinishInstallationProbe();
  second.FinishInstallationProbe();  // once only
  EXPECT_EQ(products_.asked.size(), 2u);
  EXPECT_EQ(second.installedVersion, u"27.0.1.4");
  EXPECT_TRUE(flags_.productInstalled);
  EXPECT_EQ(second.strings.languageId, 1031);
  EXPECT_TRUE(registry_.HasKey(RegistryRoot::kLocalMachine, packs));
}

TEST_F(Initialise, AnEnglishRecordedLanguageLeavesTheProbeForLater) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  registry_.PutNumber(RegistryRoot::kLocalMachine,
                      u"SOFTWARE\\Orvanta\\Vimzee Home\\270\\LanguagePacks", u"InitialLangID",
                      1033);
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_TRUE(products_.asked.empty());
}

TEST_F(Initialise, StandaloneInCapitalsSkipsTheOverride) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "TRUE");
  const fs::path other = root_ / "other.xml";
  WriteManifest(other, kManifest, "false");
  registry_.PutString(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\Vimzee Home\\270",
                      u"WebInstallerManifest", Windows(other));
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_TRUE(context.manifest.standalone);
  EXPECT_EQ(context.manifestPath, Windows(root_ / "setup" / "config" / "manifestHome.xml"));
  EXPECT_FALSE(fs::exists(root_ / "setup" / "component"));
}

TEST_F(Initialise, OverrideReplacesTheManifestWhole) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  const fs::path other = root_ / "other.xml";
  std::ofstream(other) << "<vrelwebinstaller><product><pid>DE-OTHER</pid>"
                          "<registry>SOFTWARE\\Orvanta\\Other</registry><main_component>"
                          "<name>b.msi</name><full_url>https://y/b.msi</full_url>"
                          "</main_component></product></vrelwebinstaller>";
  registry_.PutString(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\Vimzee Home\\270",
                      u"WebInstallerManifest", Windows(other));
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_EQ(context.manifestPath, Windows(other));
  EXPECT_EQ(context.manifest.pid, u"DE-OTHER");
  EXPECT_EQ(context.manifest.shortName, u"");  // nothing kept from the packaged one
  EXPECT_TRUE(context.manifest.languagePacks.empty());
  EXPECT_EQ(context.strings.languageId, 1031);
  EXPECT_FALSE(context.multipleLanguages);
}

TEST_F(Initialise, OverrideNamingNoFileKeepsThePackagedManifest) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  registry_.PutString(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\Vimzee Home\\270",
                      u"WebInstallerManifest", Windows(root_ / "absent.xml"));
  InstallerContext context;
  ASSERT_EQ(Run(context), kInitialiseOk);
  EXPECT_EQ(context.manifestPath, Windows(root_ / "setup" / "config" / "manifestHome.xml"));
  EXPECT_EQ(context.manifest.pid, u"EN-VZH");
}

TEST_F(Initialise, UnreadableOverrideFailsWithCode1) {
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", kManifest, "false");
  const fs::path broken = root_ / "broken.xml";
  std::ofstream(broken) << "<vrelwebinstaller><product>";
  registry_.PutString(RegistryRoot::kCurrentUser, u"SOFTWARE\\Orvanta\\Vimzee Home\\270",
                      u"WebInstallerManifest", Windows(broken));
  InstallerContext context;
  EXPECT_EQ(Run(context), kManifestUnusable);
  EXPECT_FALSE(context.initialised);
  EXPECT_EQ(context.manifestPath, Windows(broken));
  EXPECT_EQ(context.manifest.pid, u"EN-VZH");
}

TEST_F(Initialise, MissingRequiredValuesFailWithCode1) {
  for (const std::string& drop :
       {std::string("<pid>EN-VZH</pid>"),
        std::string("<registry>SOFTWARE\\Orvanta\\Vimzee Home\\270</registry>"),
        std::string("<full_url>https://x/a.msi</full_url>"), std::string("<name>a.msi</name>")}) {
    std::string text = kManifest;
    text.erase(text.find(drop), drop.size());
    WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
    InstallerContext context;
    EXPECT_EQ(Run(context), kManifestUnusable) << drop;
    EXPECT_TRUE(context.languages.empty()) << drop;
  }
  // Present but empty counts as missing.
  std::string text = kManifest;
  text.replace(text.find("EN-VZH"), 6, "");
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
  InstallerContext context;
  EXPECT_EQ(Run(context), kManifestUnusable);
}

TEST_F(Initialise, RegistryBeforePidIsNotSeen) {
  std::string text = kManifest;
  const std::string registry = "<registry>SOFTWARE\\Orvanta\\Vimzee Home\\270</registry>";
  text.erase(text.find(registry), registry.size());
  text.insert(text.find("<pid>"), registry);
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
  InstallerContext context;
  EXPECT_EQ(Run(context), kManifestUnusable);
  EXPECT_TRUE(context.manifest.registryPath.empty());
}

TEST_F(Initialise, MalformedPayloadDigestMakesTheManifestUnusable) {
  const std::string good(64, 'a');
  const struct {
    std::string at, digest;
    int32_t expected;
  } cases[] = {
      {"</full_url>", good, kInitialiseOk},
      {"</full_url>", std::string(63, 'a'), kManifestUnusable},
      {"</full_url>", std::string(65, 'a'), kManifestUnusable},
      {"</full_url>", std::string(63, 'a') + "g", kManifestUnusable},
      {"</full_url>", "", kManifestUnusable},
      {"<lang_id>1031</lang_id>", "no digest", kManifestUnusable},
  };
  for (const auto& c : cases) {
    std::string text = kManifest;
    const size_t at = text.find(c.at) + c.at.size();
    text.insert(at, "<sha256>" + c.digest + "</sha256>");
    WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
    InstallerContext context;
    EXPECT_EQ(Run(context), c.expected) << c.digest;
  }
}

TEST_F(Initialise, NameThatIsNoPlainFileNameMakesTheManifestUnusable) {
  const struct {
    std::string from, to;
    int32_t expected;
  } cases[] = {
      {"<name>a.msi</name>", "<name>b.msi</name>", kInitialiseOk},
      {"<name>a.msi</name>", "<name>..\\..\\Windows\\a.msi</name>", kManifestUnusable},
      {"<name>a.msi</name>", "<name>C:a.msi</name>", kManifestUnusable},
      {"<name>a.msi</name>", "<name>NUL.msi</name>", kManifestUnusable},
      {"<short_name>", "<full_name>../Startup/Vimzee</full_name><short_name>", kManifestUnusable},
      {"<lang_id>1031</lang_id>", "<lang_id>1031</lang_id><name>lp.exe.</name>", kManifestUnusable},
      {"</product>",
       "<dependency><name>sub/vc_redist.exe</name><full_url>https://x/v</full_url></dependency>"
       "</product>",
       kManifestUnusable},
  };
  for (const auto& c : cases) {
    std::string text = kManifest;
    text.replace(text.find(c.from), c.from.size(), c.to);
    WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
    InstallerContext context;
    EXPECT_EQ(Run(context), c.expected) << c.to;
  }
}

TEST_F(Initialise, ManifestAboveItsLimitIsRefusedUnread) {
  std::string text = kManifest;
  const std::string padding = "<!--" + std::string(kMaxManifestBytes, ' ') + "-->";
  text.insert(text.find("<product>"), padding);
  WriteManifest(root_ / "setup" / "config" / "manifestHome.xml", text, "false");
  InstallerContext context;
  EXPECT_EQ(Run(context), kManifestUnusable);
  EXPECT_TRUE(context.manifest.pid.empty());
}

}  // namespace
}  // namespace vwi
