// The demo product's data, read with the installer's own code: the packaged
// manifest, the version files of its server, the language files and the
// slide folders. A product team that copies the demo keeps this check.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "context/manifest_reader.h"
#include "context/product_manifest.h"
#include "localisation/ui_string_catalogue.h"
#include "localisation/ui_string_keys.h"
#include "platform/text.h"
#include "validation/version_check.h"

#ifndef VWI_DEMO
#error "VWI_DEMO names the demo folder"
#endif

namespace vwi {
namespace {

const std::string kDemo = VWI_DEMO;
constexpr int32_t kEnglish = 1033;

std::u16string DemoPath(const std::string& relative) { return Utf16FromUtf8(kDemo + relative); }

ProductManifest DemoManifest() {
  ProductManifest manifest;
  EXPECT_TRUE(ParseManifest(DemoPath("/config/manifestHome.xml"), manifest));
  return manifest;
}

// Every language of the demo: English and one per language pack.
std::vector<int32_t> DemoLanguages(const ProductManifest& manifest) {
  std::vector<int32_t> languages{kEnglish};
  for (const ManifestLanguagePack& pack : manifest.languagePacks) {
    languages.push_back(pack.languageId);
  }
  return languages;
}

// The printf conversions of a text, in order ("%s", "%02d"; "%%" is none).
std::vector<std::u16string> Placeholders(std::u16string_view text) {
  std::vector<std::u16string> found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') continue;
    size_t end = i + 1;
    while (end < text.size() &&
           std::u16string_view(u"-+ #0123456789.").find(text[end]) != std::u16string_view::npos) {
      ++end;
    }
    if (end < text.size() && text[end] == u'%' && end == i + 1) {
      i = end;
      continue;
    }
    found.emplace_back(text.substr(i, end + 1 - i));
    i = end;
  }
  return found;
}

bool OnExampleDomain(const std::u16string& url) {
  return url.rfind(u"https://download.example.com/", 0) == 0 ||
         url.rfind(u"https://www.example.com/", 0) == 0;
}

TEST(DemoData, ManifestHoldsEveryRequiredValueAndExampleAddresses) {
  const ProductManifest m = DemoManifest();
  EXPECT_FALSE(m.pid.empty());
  EXPECT_FALSE(m.registryPath.empty());
  EXPECT_FALSE(m.mainComponentUrl.empty());
  EXPECT_FALSE(m.mainExecutable.empty());
  EXPECT_FALSE(m.standalone);
  EXPECT_NE(ParseVersion(m.webInstallerVersion), Version{});
  EXPECT_TRUE(OnExampleDomain(m.versionCheckUrl)) << Utf8FromUtf16(m.versionCheckUrl);
  EXPECT_TRUE(OnExampleDomain(m.mainComponentUrl));
  ASSERT_EQ(m.languagePacks.size(), 2u);
  ASSERT_EQ(m.transforms.size(), 2u);
  for (size_t i = 0; i < m.languagePacks.size(); ++i) {
    // A transform for each language pack, and nothing for English.
    EXPECT_EQ(m.transforms[i].languageId, m.languagePacks[i].languageId);
    EXPECT_NE(m.languagePacks[i].languageId, kEnglish);
    EXPECT_TRUE(OnExampleDomain(m.languagePacks[i].url));
    EXPECT_TRUE(OnExampleDomain(m.transforms[i].url));
  }
  ASSERT_EQ(m.dependencies.size(), 1u);
  EXPECT_TRUE(OnExampleDomain(m.dependencies[0].url));
}

TEST(DemoData, VersionFilesParseAndDecideAsTheDemoExpects) {
  struct Case {
    const char* file;
    VersionCheckResult fresh;      // on a machine without the product
    VersionCheckResult installed;  // with the offered version installed
  };
  const Case cases[] = {
      {"/server/version.xml", VersionCheckResult::UpToDate, VersionCheckResult::AlreadyInstalled},
      {"/server/version-newer-installer.xml", VersionCheckResult::ClientTooOld,
       VersionCheckResult::AlreadyInstalled},
  };
  for (const Case& c : cases) {
    ProductManifest m = DemoManifest();
    std::ifstream in(kDemo + c.file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    ASSERT_TRUE(ReadVersionText(text, m)) << c.file;
    EXPECT_EQ(m.latestProductCode, m.productCode) << c.file;
    EXPECT_EQ(m.standaloneVersion, m.patchInstall.productVersion) << c.file;
    EXPECT_NE(ParseVersion(m.freshInstall.minWebInstallerVersion), Version{}) << c.file;
    EXPECT_NE(ParseVersion(m.patchInstall.minWebInstallerVersion), Version{}) << c.file;
    EXPECT_TRUE(OnExampleDomain(m.freshInstall.downloadUrl)) << c.file;
    EXPECT_TRUE(OnExampleDomain(m.patchInstall.downloadUrl)) << c.file;
    EXPECT_EQ(CompareVersions(m, u"", false), c.fresh) << c.file;
    EXPECT_EQ(CompareVersions(m, m.patchInstall.productVersion, true), c.installed) << c.file;
  }
}

TEST(DemoData, EveryLanguageFileCarriesEveryKeyWithTheDefaultsPlaceholders) {
  const ProductManifest manifest = DemoManifest();
  for (const int32_t language : DemoLanguages(manifest)) {
    UiStringCatalogue strings;
    strings.languageFolder = DemoPath("/language/");
    strings.languageId = language;
    const std::u16string title = strings.LanguageTitle(language);
    EXPECT_FALSE(title.empty());
    EXPECT_NE(title, DecimalText(language)) << language << ": no language file or no title";
    for (const StringKey& key : kAllUiStrings) {
      // A key the file lacks comes back as the default: ask with an empty one.
      const StringKey probe{key.key, u""};
      const std::u16string text = strings.LookupUiString(probe);
      EXPECT_FALSE(text.empty()) << language << " " << Utf8FromUtf16(key.key);
      EXPECT_EQ(Placeholders(text), Placeholders(key.defaultText))
          << language << " " << Utf8FromUtf16(key.key) << ": " << Utf8FromUtf16(text);
    }
    for (const StringKey& link : kAllLinks) {
      const std::u16string url = strings.LookupLink({link.key, u""});
      EXPECT_TRUE(OnExampleDomain(url)) << language << " " << Utf8FromUtf16(link.key);
    }
  }
}

TEST(DemoData, EverySlideFolderHasPictures) {
  const ProductManifest manifest = DemoManifest();
  for (const int32_t language : DemoLanguages(manifest)) {
    size_t count = 0;
    for (const int dpi : {96, 120, 144, 192}) {
      UiStringCatalogue strings;
      strings.languageFolder = DemoPath("/language/");
      strings.languageId = language;
      const std::vector<std::u16string> slides = strings.SlideImages(dpi);
      EXPECT_FALSE(slides.empty()) << language << " at " << dpi << " DPI";
      // The same pictures at every scale.
      if (count == 0) count = slides.size();
      EXPECT_EQ(slides.size(), count) << language << " at " << dpi << " DPI";
    }
  }
}

TEST(DemoData, PlaceholdersAreReadAsThePrintfConversions) {
  EXPECT_EQ(Placeholders(u"%02d h %02d min"), (std::vector<std::u16string>{u"%02d", u"%02d"}));
  EXPECT_EQ(Placeholders(u"100 %% of %s"), (std::vector<std::u16string>{u"%s"}));
  EXPECT_TRUE(Placeholders(u"none").empty());
}

}  // namespace
}  // namespace vwi
