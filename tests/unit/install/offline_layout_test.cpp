#include "install/offline_layout.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/posix/posix_system_services.h"
#include "platform/text.h"
#include "unit/download/transfer_doubles.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

ProductManifest Manifest() {
  ProductManifest m;
  m.mainComponentName = u"Vimzee.msi";
  m.mainComponentUrl = u"http://s/Vimzee.msi";
  m.dependencies = {{u"vc_redist.exe", u"http://s/vc_redist.exe", u"/quiet", std::nullopt}};
  m.transforms = {{1031, u"de.mst", u"http://s/1031.mst", std::nullopt},
                  {1036, u"fr.mst", u"http://s/1036.mst", std::nullopt}};
  m.languagePacks = {{1031, u"DE", u"pack_de", u"http://s/lp1031.exe", std::nullopt},
                     {1036, u"FR", u"pack_fr", u"http://s/lp1036.exe", std::nullopt}};
  return m;
}

TEST(LayoutEntries, EveryPackageWhereAStandaloneManifestLooksForIt) {
  std::vector<std::u16string> all;
  for (const LayoutEntry& e : LayoutEntries(Manifest(), std::nullopt)) {
    all.push_back(std::u16string(WorkFolderName(e.folder)) + u"\\" + e.fileName);
  }
  EXPECT_EQ(all, (std::vector<std::u16string>{u"component\\vc_redist.exe", u"msi\\Vimzee.msi",
                                              u"transform\\1031.mst", u"transform\\1036.mst",
                                              u"component\\language_pack_1031.exe",
                                              u"component\\language_pack_1036.exe"}));
  // One language: its transform and pack, and everything else.
  EXPECT_EQ(LayoutEntries(Manifest(), 1036).size(), 4u);
  EXPECT_EQ(LayoutEntries(Manifest(), 1036)[2].url, u"http://s/1036.mst");
  EXPECT_EQ(LayoutLanguages({u"1036", u"1033", u"1031"}, 1031),
            (std::vector<std::u16string>{u"1031", u"1033"}));
  EXPECT_EQ(LayoutLanguages({u"1036", u"slides", u"", u"1033"}, std::nullopt),
            (std::vector<std::u16string>{u"1033", u"1036"}));
}

TEST(StandaloneManifest, OnlyTheStandaloneTextChanges) {
  const std::string head = "<?xml version=\"1.0\"?>\r\n<vrelwebinstaller><product><pid>P</pid>";
  const std::string tail =
      "<standalone_version>1</standalone_version></product></vrelwebinstaller>";
  EXPECT_EQ(
      StandaloneManifest(head + "<registry>R</registry><standalone>false</standalone>" + tail),
      head + "<registry>R</registry><standalone>true</standalone>" + tail);
  EXPECT_EQ(StandaloneManifest("\xEF\xBB\xBF<r><standalone >no</standalone></r>"),
            "\xEF\xBB\xBF<r><standalone >true</standalone></r>");
  EXPECT_EQ(StandaloneManifest("<r><standalone/></r>"), "<r><standalone>true</standalone></r>");
  // Missing: added where the reader looks for it, after the registry.
  EXPECT_EQ(StandaloneManifest(head + "<registry>R</registry>" + tail),
            head + "<registry>R</registry><standalone>true</standalone>" + tail);
  // An element whose name only begins the same is another one.
  EXPECT_EQ(StandaloneManifest("<registry/><standalone_version>1</standalone_version>"),
            std::nullopt);
  EXPECT_EQ(StandaloneManifest("<product><pid>P</pid></product>"), std::nullopt);
  EXPECT_EQ(StandaloneManifest("<standalone>false"), std::nullopt);
}

TEST(StandaloneManifest, UnicodeWithItsMarkStaysUnicode) {
  const auto utf16 = [](std::string_view ascii) {
    std::string out("\xFF\xFE");
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
  };
  EXPECT_EQ(
      StandaloneManifest(utf16("<p><registry>R</registry><standalone>False</standalone></p>")),
      utf16("<p><registry>R</registry><standalone>true</standalone></p>"));
}

struct LayoutCase : testing::Test {
  LayoutCase() : system(W(Root() / "dl" / "VimzeeWebInstaller.exe"), W(Root() / "temp")) {
    fs::remove_all(Root());
    for (const char* folder : {"temp", "dl/config", "dl/language/1031/slidesHome",
                               "dl/language/1033", "dl/language/1036"}) {
      fs::create_directories(Root() / folder);
    }
    Write("dl/VimzeeWebInstaller.exe", "MZ program");
    Write("dl/config/manifestHome.xml",
          "<vrelwebinstaller><product><registry>R</registry><standalone>false</standalone>"
          "</product></vrelwebinstaller>");
    Write("dl/language/1031/stringHome.ini", "de");
    Write("dl/language/1031/slidesHome/1.png", "slide");
    Write("dl/language/1033/stringHome.ini", "en");
    Write("dl/language/1036/stringHome.ini", "fr");
    for (const LayoutEntry& e : LayoutEntries(manifest, std::nullopt)) {
      transfers.bodies[e.url] = "body of " + Utf8FromUtf16(e.fileName);
    }
  }
  ~LayoutCase() override { fs::remove_all(Root()); }
  static fs::path Root() {
    return fs::temp_directory_path() /
           ("vwi-layout-" + std::to_string(getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  static std::u16string W(const fs::path& path) { return Utf16FromUtf8(path.string()); }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(Root() / path, std::ios::binary) << text;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(Root() / path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  StepResult Make(std::optional<int32_t> language = std::nullopt) {
    transfers.urls.clear();
    const LayoutRequest request{W(Root() / "dl"), u"VimzeeWebInstaller.exe",
                                W(Root() / "dl") + u"\\config\\manifestHome.xml",
                                W(Root() / "share") + u"\\Vimzee 27", language};
    return MakeLayout(request, manifest, {system, transfers, {}, never});
  }

  ProductManifest manifest = Manifest();
  PosixSystemServices system;
  test::ServedTransfers transfers;
  NeverCancelled never;
};

TEST_F(LayoutCase, AFolderThatInstallsWithNoNetwork) {
  ASSERT_TRUE(Make().passed);
  EXPECT_EQ(Read("share/Vimzee 27/VimzeeWebInstaller.exe"), "MZ program");
  EXPECT_EQ(Read("share/Vimzee 27/config/manifestHome.xml"),
            "<vrelwebinstaller><product><registry>R</registry><standalone>true</standalone>"
            "</product></vrelwebinstaller>");
  EXPECT_EQ(Read("share/Vimzee 27/language/1031/slidesHome/1.png"), "slide");
  EXPECT_EQ(Read("share/Vimzee 27/language/1036/stringHome.ini"), "fr");
  EXPECT_EQ(Read("share/Vimzee 27/msi/Vimzee.msi"), "body of Vimzee.msi");
  EXPECT_EQ(Read("share/Vimzee 27/transform/1036.mst"), "body of 1036.mst");
  EXPECT_EQ(Read("share/Vimzee 27/component/language_pack_1031.exe"),
            "body of language_pack_1031.exe");
}

TEST_F(LayoutCase, AnEarlierLayoutIsCheckedAndOnlyWhatDiffersFetched) {
  // The main package has a digest: a copy that matches it is kept unasked.
  manifest.mainComponentSha256 =
      u"8aa5119cae41be38c6ac28e5af24f8810f341c2c3a2c1373024a9d417c49de53";
  ASSERT_TRUE(Make().passed);
  // A package changed on the share, another one's server copy grown.
  Write("share/Vimzee 27/transform/1031.mst", "changed");
  transfers.bodies[u"http://s/vc_redist.exe"] = "a newer body of vc_redist.exe";
  ASSERT_TRUE(Make().passed);
  size_t downloads = 0;
  for (const std::u16string& url : transfers.urls) {
    if (url == u"http://s/1031.mst" || url == u"http://s/vc_redist.exe") ++downloads;
  }
  // Each: the check's size query, then the fetch's size query and transfer.
  EXPECT_EQ(downloads, 6u);
  EXPECT_EQ(Read("share/Vimzee 27/transform/1031.mst"), "body of 1031.mst");
  EXPECT_EQ(Read("share/Vimzee 27/component/vc_redist.exe"), "a newer body of vc_redist.exe");
  EXPECT_EQ(std::count(transfers.urls.begin(), transfers.urls.end(), u"http://s/Vimzee.msi"), 0);
}

TEST_F(LayoutCase, OneLanguageAndEnglish) {
  ASSERT_TRUE(Make(1031).passed);
  EXPECT_TRUE(fs::exists(Root() / "share/Vimzee 27/language/1033/stringHome.ini"));
  EXPECT_FALSE(fs::exists(Root() / "share/Vimzee 27/language/1036"));
  EXPECT_FALSE(fs::exists(Root() / "share/Vimzee 27/transform/1036.mst"));
  EXPECT_TRUE(fs::exists(Root() / "share/Vimzee 27/transform/1031.mst"));
}

TEST_F(LayoutCase, FailuresHaveTheCausesOfAnInstallationsDownloads) {
  transfers.failures[u"http://s/1031.mst"] = RefusedWith(404);
  StepResult failed = Make();
  EXPECT_EQ(failed.cause, FailureCause::DownloadFailed);
  EXPECT_EQ(failed.failedItem, u"de.mst");
  EXPECT_EQ(failed.failedAddress, u"http://s/1031.mst");

  transfers.failures.clear();
  manifest.mainComponentSha256 = std::u16string(64, u'0');
  EXPECT_EQ(Make().cause, FailureCause::PayloadIntegrity);

  manifest.mainComponentSha256.reset();
  Write("dl/config/manifestHome.xml", "<vrelwebinstaller/>");
  EXPECT_EQ(Make().cause, FailureCause::ManifestUnusable);
}

}  // namespace
}  // namespace vwi
