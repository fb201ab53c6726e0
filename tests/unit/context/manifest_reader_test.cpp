#include "context/manifest_reader.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/text.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

class ManifestReader : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("vwi-manifest-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Parses `xml` (written as UTF-8) into a fresh record.
  ProductManifest Parse(const std::string& xml, bool expected = true) {
    const fs::path file = folder_ / "manifestHome.xml";
    std::ofstream(file, std::ios::binary) << xml;
    ProductManifest manifest;
    EXPECT_EQ(ParseManifest(Utf16FromUtf8(file.string()), manifest), expected);
    return manifest;
  }

  // A document with the given children of "product".
  ProductManifest ParseProduct(const std::string& children) {
    return Parse("<vrelwebinstaller><product>" + children + "</product></vrelwebinstaller>");
  }

  fs::path folder_;
};

TEST_F(ManifestReader, ReadsTheDemoManifestWhole) {
  ProductManifest m;
  const std::u16string path = Utf16FromUtf8(VWI_FIXTURES "/../../demo/config/manifestHome.xml");
  ASSERT_TRUE(ParseManifest(path, m));
  EXPECT_EQ(m.webInstallerVersion, u"27.0.1.12");
  EXPECT_EQ(m.productCode, u"{5C1F3A7E-2B4D-4E8A-9F61-3D7C0A9B2E45}");
  EXPECT_EQ(m.pid, u"EN-VZH-27");
  EXPECT_EQ(m.fullName, u"Vimzee Home 27");
  EXPECT_EQ(m.shortName, u"Vimzee Home");
  EXPECT_EQ(m.registryPath, u"SOFTWARE\\Orvanta\\Vimzee Home\\270");
  EXPECT_FALSE(m.standalone);
  EXPECT_EQ(m.standaloneVersion, u"27.0.0.1204");
  EXPECT_EQ(m.versionCheckUrl, u"https://download.example.com/vimzee/home/27/version.xml");
  EXPECT_EQ(m.mainComponentName, u"VimzeeHome27.msi");
  EXPECT_EQ(m.mainExecutable, u"VimzeeHome.exe");
  EXPECT_EQ(m.mainComponentUrl,
            u"https://download.example.com/vimzee/home/27/VimzeeHome27.msi?channel=web&build=1204");
  ASSERT_EQ(m.transforms.size(), 2u);
  EXPECT_EQ(m.transforms[1].languageId, 1036);
  EXPECT_EQ(m.transforms[1].name, u"1036.mst");
  EXPECT_EQ(m.transforms[1].url,
            u"https://download.example.com/vimzee/home/27/transforms/1036.mst");
  ASSERT_EQ(m.languagePacks.size(), 2u);
  EXPECT_EQ(m.languagePacks[0].languageId, 1031);
  EXPECT_EQ(m.languagePacks[0].pid, u"DE-VZH-27-LP");
  EXPECT_EQ(m.languagePacks[0].name, u"VimzeeHome27_de.exe");
  EXPECT_EQ(m.languagePacks[0].url,
            u"https://download.example.com/vimzee/home/27/lp/VimzeeHome27_de.exe");
  ASSERT_EQ(m.dependencies.size(), 1u);
  EXPECT_EQ(m.dependencies[0].name, u"bonjour.msi");
  EXPECT_EQ(m.dependencies[0].url,
            u"https://download.example.com/vimzee/runtime/discovery-service-3.0.msi");
  EXPECT_EQ(m.dependencies[0].installCommandLine, u"/qn");
  EXPECT_TRUE(m.latestProductCode.empty());
  EXPECT_TRUE(m.freshInstall.downloadUrl.empty());
}

TEST_F(ManifestReader, UnreadableOrIllFormedFileLeavesTheRecordUnchanged) {
  ProductManifest m;
  m.pid = u"kept";
  EXPECT_FALSE(ParseManifest(Utf16FromUtf8((folder_ / "absent.xml").string()), m));
  EXPECT_EQ(m.pid, u"kept");
  const ProductManifest broken =
      Parse("<vrelwebinstaller><product><pid>X</pid></vrelwebinstaller>", false);
  EXPECT_TRUE(broken.pid.empty());
}

TEST_F(ManifestReader, AnotherRootFillsNothing) {
  const ProductManifest m = Parse("<installer><product><pid>DE</pid></product></installer>");
  EXPECT_TRUE(m.pid.empty());
}

TEST_F(ManifestReader, RootValuesAreSearchedForwardOnly) {
  const ProductManifest m = Parse(
      "<vrelwebinstaller><product_code>{A}</product_code>"
      "<web_installer_version>1.2</web_installer_version>"
      "<product><pid>DE01</pid></product></vrelwebinstaller>");
  EXPECT_EQ(m.webInstallerVersion, u"1.2");
  EXPECT_TRUE(m.productCode.empty());
  EXPECT_EQ(m.pid, u"DE01");
}

TEST_F(ManifestReader, ProductValuesAreSearchedForwardOnly) {
  const ProductManifest m = ParseProduct(
      "<registry>SOFTWARE\\X</registry><pid>DE01</pid><short_name>V</short_name>"
      "<main_component><name>a.msi</name><full_url>u</full_url></main_component>");
  EXPECT_EQ(m.pid, u"DE01");
  EXPECT_TRUE(m.registryPath.empty());
  EXPECT_EQ(m.shortName, u"V");
  EXPECT_EQ(m.mainComponentUrl, u"u");
}

TEST_F(ManifestReader, StandaloneIsTrueInAnyCaseOnly) {
  for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{
           {"true", 1}, {"True", 1}, {"TRUE", 1}, {"yes", 0}, {"1", 0}, {" true", 0}, {"", 0}}) {
    EXPECT_EQ(ParseProduct("<standalone>" + text + "</standalone>").standalone, expected) << text;
  }
  EXPECT_FALSE(ParseProduct("<pid>X</pid>").standalone);
}

TEST_F(ManifestReader, TransformsAndTheirSkippedGroups) {
  const ProductManifest m = ParseProduct(
      "<main_component><name>a.msi</name><full_url>u</full_url>"
      "<transform><lang_id>abc</lang_id><name>x.mst</name></transform>"
      "<transform><name>skipped.mst</name></transform>"
      "<transform><full_url>f</full_url><lang_id> 1031</lang_id><name>late.mst</name></transform>"
      "<transform><lang_id>1036</lang_id><full_url>only-url</full_url></transform>"
      "</main_component>");
  ASSERT_EQ(m.transforms.size(), 3u);
  EXPECT_EQ(m.transforms[0].languageId, 0);
  EXPECT_EQ(m.transforms[0].name, u"x.mst");
  // "lang_id" is found among all children; later values only after it.
  EXPECT_EQ(m.transforms[1].languageId, 1031);
  EXPECT_EQ(m.transforms[1].name, u"late.mst");
  EXPECT_TRUE(m.transforms[1].url.empty());
  EXPECT_TRUE(m.transforms[2].name.empty());
  EXPECT_EQ(m.transforms[2].url, u"only-url");
}

TEST_F(ManifestReader, MainComponentWithoutNameIsSkippedWhole) {
  const ProductManifest m = ParseProduct(
      "<pid>EN</pid><main_component><executable>v.exe</executable><full_url>u</full_url>"
      "<transform><lang_id>1031</lang_id></transform></main_component>"
      "<language_pack><lang_id>1031</lang_id></language_pack>");
  EXPECT_TRUE(m.mainComponentUrl.empty());
  EXPECT_TRUE(m.mainExecutable.empty());
  EXPECT_TRUE(m.transforms.empty());
  // The language packs after it are still read.
  ASSERT_EQ(m.languagePacks.size(), 1u);
}

TEST_F(ManifestReader, MainComponentValuesFollowTheName) {
  const ProductManifest m = ParseProduct(
      "<main_component><executable>early.exe</executable><name>a.msi</name>"
      "<full_url>u</full_url></main_component>");
  EXPECT_EQ(m.mainComponentName, u"a.msi");
  EXPECT_TRUE(m.mainExecutable.empty());
  EXPECT_EQ(m.mainComponentUrl, u"u");  // after "name" when "executable" is missing
}

TEST_F(ManifestReader, LanguagePacksBeforeTheMainComponentAreNotSeen) {
  const ProductManifest m = ParseProduct(
      "<pid>EN</pid><language_pack><lang_id>1040</lang_id></language_pack>"
      "<main_component><name>a.msi</name><full_url>u</full_url></main_component>"
      "<language_pack><pid>no-id</pid></language_pack>"
      "<language_pack><lang_id>1031</lang_id><name>de.msi</name><pid>late</pid>"
      "<full_url>f</full_url></language_pack>"
      "<dependency><full_url>no-name</full_url></dependency>"
      "<dependency><name>vc_redist.exe</name><install_commandline>/q</install_commandline>"
      "</dependency>"
      "<main_component><name>second.msi</name></main_component>");
  ASSERT_EQ(m.languagePacks.size(), 1u);
  EXPECT_EQ(m.languagePacks[0].languageId, 1031);
  // "pid" is found after "name"; "name", searched after "pid", is not seen.
  EXPECT_EQ(m.languagePacks[0].pid, u"late");
  EXPECT_TRUE(m.languagePacks[0].name.empty());
  EXPECT_EQ(m.languagePacks[0].url, u"f");
  ASSERT_EQ(m.dependencies.size(), 1u);
  EXPECT_EQ(m.dependencies[0].name, u"vc_redist.exe");
  EXPECT_TRUE(m.dependencies[0].url.empty());
  EXPECT_EQ(m.dependencies[0].installCommandLine, u"/q");
  EXPECT_EQ(m.mainComponentName, u"a.msi");
}

TEST_F(ManifestReader, DependenciesBeforeLanguagePacksAreNotSeen) {
  const ProductManifest m = ParseProduct(
      "<dependency><name>early.exe</name></dependency>"
      "<language_pack><lang_id>1031</lang_id></language_pack>"
      "<dependency><name>late.exe</name></dependency>");
  ASSERT_EQ(m.dependencies.size(), 1u);
  EXPECT_EQ(m.dependencies[0].name, u"late.exe");
}

TEST_F(ManifestReader, TextsAreDecodedAndKeptUntrimmed) {
  const ProductManifest m = ParseProduct(
      "<pid> DE01 </pid><full_name>Vimzee &amp; Co &#x263A;</full_name>"
      "<short_name><![CDATA[<V>]]></short_name><registry><sub/></registry>");
  EXPECT_EQ(m.pid, u" DE01 ");
  EXPECT_EQ(m.fullName, u"Vimzee & Co \u263A");
  EXPECT_EQ(m.shortName, u"<V>");
  EXPECT_TRUE(m.registryPath.empty());  // an element with a child has no text
}

TEST_F(ManifestReader, ReadsUtf16Files) {
  const std::u16string xml =
      u"\uFEFF<vrelwebinstaller><product><pid>JA</pid><full_name>\u30d3\u30e0\u30b8\u30fc"
      u"</full_name></product></vrelwebinstaller>";
  const fs::path file = folder_ / "utf16.xml";
  std::ofstream out(file, std::ios::binary);
  for (const char16_t unit : xml)
    out.put(static_cast<char>(unit & 0xFF)).put(static_cast<char>(unit >> 8));
  out.close();
  ProductManifest m;
  ASSERT_TRUE(ParseManifest(Utf16FromUtf8(file.string()), m));
  EXPECT_EQ(m.pid, u"JA");
  EXPECT_EQ(m.fullName, u"\u30d3\u30e0\u30b8\u30fc");
}

TEST_F(ManifestReader, ValuesOverwriteAndEntriesAppend) {
  ProductManifest m;
  m.pid = u"old";
  m.fullName = u"kept";
  m.languagePacks.push_back({1040, u"", u"", u""});
  const fs::path file = folder_ / "m.xml";
  std::ofstream(file) << "<vrelwebinstaller><product><pid>new</pid><main_component><name>a</name>"
                         "</main_component><language_pack><lang_id>1031</lang_id></language_pack>"
                         "</product></vrelwebinstaller>";
  ASSERT_TRUE(ParseManifest(Utf16FromUtf8(file.string()), m));
  EXPECT_EQ(m.pid, u"new");
  EXPECT_EQ(m.fullName, u"kept");
  ASSERT_EQ(m.languagePacks.size(), 2u);
  EXPECT_EQ(m.languagePacks[1].languageId, 1031);
}

TEST_F(ManifestReader, DigestsAreTheGroupsLastChildren) {
  const ProductManifest m = ParseProduct(
      "<main_component><name>a.msi</name><full_url>u</full_url>"
      "<transform><lang_id>1031</lang_id><name>de.mst</name><full_url>t</full_url>"
      "<sha256>T1</sha256></transform>"
      "<transform><lang_id>1036</lang_id></transform>"
      "<sha256>MAIN</sha256></main_component>"
      "<language_pack><lang_id>1031</lang_id><full_url>l</full_url><sha256>L1</sha256>"
      "</language_pack>"
      "<language_pack><lang_id>1036</lang_id></language_pack>"
      "<dependency><name>vc.exe</name><full_url>d</full_url>"
      "<install_commandline>/q</install_commandline><sha256> D1\n</sha256></dependency>"
      "<dependency><name>other.exe</name></dependency>");
  EXPECT_EQ(m.mainComponentSha256, u"MAIN");
  ASSERT_EQ(m.transforms.size(), 2u);
  EXPECT_EQ(m.transforms[0].sha256, u"T1");
  EXPECT_EQ(m.transforms[0].url, u"t");
  EXPECT_EQ(m.transforms[1].sha256, std::nullopt);
  ASSERT_EQ(m.languagePacks.size(), 2u);
  EXPECT_EQ(m.languagePacks[0].sha256, u"L1");
  EXPECT_EQ(m.languagePacks[1].sha256, std::nullopt);
  ASSERT_EQ(m.dependencies.size(), 2u);
  EXPECT_EQ(m.dependencies[0].sha256, u" D1\n");  // kept as written; the digest rule trims
  EXPECT_EQ(m.dependencies[0].installCommandLine, u"/q");
  EXPECT_EQ(m.dependencies[1].sha256, std::nullopt);
}

TEST_F(ManifestReader, DigestsAreOptionalAndSearchedForwardOnly) {
  // Without transforms the main digest follows the last value; an empty one is
  // still given (and unusable later); one before the values is not seen.
  ProductManifest m = ParseProduct(
      "<main_component><name>a.msi</name><full_url>u</full_url><sha256/></main_component>"
      "<dependency><sha256>early</sha256><name>vc.exe</name></dependency>");
  EXPECT_EQ(m.mainComponentSha256, u"");
  ASSERT_EQ(m.dependencies.size(), 1u);
  EXPECT_EQ(m.dependencies[0].sha256, std::nullopt);
  m = ParseProduct("<main_component><name>a.msi</name><full_url>u</full_url></main_component>");
  EXPECT_EQ(m.mainComponentSha256, std::nullopt);
  // A digest placed before the transforms is not the last child: not seen.
  m = ParseProduct(
      "<main_component><name>a.msi</name><full_url>u</full_url><sha256>MAIN</sha256>"
      "<transform><lang_id>1031</lang_id></transform></main_component>");
  EXPECT_EQ(m.mainComponentSha256, std::nullopt);
  EXPECT_EQ(m.transforms.size(), 1u);
}

}  // namespace
}  // namespace vwi
