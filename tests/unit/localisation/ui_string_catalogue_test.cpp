#include "localisation/ui_string_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "localisation/ui_text_format.h"
#include "unit/localisation/catalogue_cases.h"

namespace vwi {
namespace {

const std::u16string kFixtures = Utf16FromUtf8(VWI_FIXTURES);

TEST(UiStringCatalogue, LooksUpTextsLinksAndTitles) {
  test::CheckCatalogueLookups(kFixtures, SystemIniReader());
}

TEST(UiStringCatalogue, PicksSlidesByDpiAndIgnoresExtensionCase) {
  test::CheckSlides(kFixtures, SystemIniReader());
}

TEST(UiStringCatalogue, MissingLanguageFolderGivesDefaults) {
  UiStringCatalogue strings;
  strings.languageFolder = u"/nonexistent/language\\";
  strings.languageId = 1031;
  EXPECT_EQ(strings.LookupUiString(IDS_MESSAGE_CANCELNOTICE),
            u"Are you sure you want to cancel the installation?");
  EXPECT_EQ(strings.LanguageTitle(1031), u"1031");
  EXPECT_TRUE(strings.SlideImages(96).empty());
  EXPECT_EQ(strings.LanguageFilePath(1031), u"/nonexistent/language\\1031\\stringHome.ini");
}

TEST(UiStringCatalogue, CutsLongValuesTo259) {
  const auto folder = std::filesystem::temp_directory_path() / "vwi_catalogue_long" / "1031";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "stringHome.ini")
      << "[UISTRING]\r\nIDS_INSTALL=" << std::string(400, 'x') << "\r\n";
  UiStringCatalogue strings;
  strings.languageFolder = Utf16FromUtf8((folder.parent_path() / "").string());
  strings.languageId = 1031;
  EXPECT_EQ(strings.LookupUiString(IDS_INSTALL), std::u16string(259, u'x'));
  std::filesystem::remove_all(folder.parent_path());
}

TEST(UiStringCatalogue, EveryKeyIsDistinctAndNamedAfterItself) {
  std::vector<StringKey> keys(std::begin(kAllUiStrings), std::end(kAllUiStrings));
  keys.insert(keys.end(), std::begin(kAllLinks), std::end(kAllLinks));
  EXPECT_EQ(keys.size(), 53u);
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].key.substr(0, 4), u"IDS_");
    EXPECT_FALSE(keys[i].defaultText.empty());
    for (size_t j = i + 1; j < keys.size(); ++j) EXPECT_NE(keys[i].key, keys[j].key);
  }
}

// The fewest arguments that fill `text` (texts hold up to three "%02d", one
// "%s", or a "%s" and a "%d").
std::optional<std::u16string> FillWithFewest(std::u16string_view pattern, std::u16string_view text,
                                             int& chosen) {
  const auto fill = [&](std::u16string_view t, int which) {
    switch (which) {
      case 0:
        return FormatUiText(t, {});
      case 1:
        return FormatUiText(t, {u"Vimzee"});
      case 2:
        return FormatUiText(t, {1});
      case 3:
        return FormatUiText(t, {1, 2});
      case 4:
        return FormatUiText(t, {u"Vimzee", 2});
      default:
        return FormatUiText(t, {1, 2, 3});
    }
  };
  if (chosen < 0) {
    for (chosen = 0; chosen < 5 && !fill(pattern, chosen); ++chosen) {
    }
  }
  return fill(text, chosen);
}

TEST(UiStringCatalogue, DemoLanguageFilesTranslateEveryKeyWithFittingPlaceholders) {
  UiStringCatalogue strings;
  strings.languageFolder = Utf16FromUtf8(VWI_FIXTURES "/../../demo/language/");
  for (const int32_t language : {1031, 1036}) {
    strings.languageId = language;
    EXPECT_NE(strings.LanguageTitle(language), DecimalText(language));
    for (const StringKey& key : kAllUiStrings) {
      const std::u16string text = strings.LookupUiString(key);
      EXPECT_NE(text, key.defaultText) << language << " " << Utf8FromUtf16(key.key);
      int chosen = -1;
      ASSERT_TRUE(FillWithFewest(key.defaultText, key.defaultText, chosen));
      EXPECT_TRUE(FillWithFewest(key.defaultText, text, chosen))
          << language << " " << Utf8FromUtf16(key.key);
    }
    for (const StringKey& link : kAllLinks) {
      EXPECT_EQ(strings.LookupLink(link).rfind(u"https://", 0), 0u);
    }
  }
}

}  // namespace
}  // namespace vwi
