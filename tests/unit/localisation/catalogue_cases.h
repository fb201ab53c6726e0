// Catalogue cases run natively and under Windows against the fixtures'
// language folder: German (UTF-16), French (ANSI), a partial Japanese file,
// and German slides for every scale.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "localisation/ui_string_catalogue.h"
#include "platform/text.h"

namespace vwi::test {

inline UiStringCatalogue FixtureCatalogue(const std::u16string& fixtures, const IIniReader& reader,
                                          int32_t language) {
  UiStringCatalogue strings;
  strings.languageFolder = fixtures + u"\\localisation\\language\\";
  strings.iniReader = &reader;
  strings.languageId = language;
  return strings;
}

inline void CheckCatalogueLookups(const std::u16string& fixtures, const IIniReader& reader) {
  // English has no folder: every text is the default.
  UiStringCatalogue strings = FixtureCatalogue(fixtures, reader, 1033);
  EXPECT_EQ(strings.LookupUiString(IDS_INSTALL), u"Install");
  EXPECT_EQ(strings.LookupUiString(IDS_ERR_CLIENT_TOO_OLD),
            u"The version of your client is too old, please click \"OK\" to download the latest "
            u"client.");
  EXPECT_EQ(strings.LookupLink(IDS_RLINK_TERMS), IDS_RLINK_TERMS.defaultText);
  EXPECT_EQ(strings.LanguageTitle(1033), u"1033");

  // German: translated keys, a missing key, an empty value.
  strings.languageId = 1031;
  EXPECT_EQ(strings.LookupUiString(IDS_INSTALL), u"Installieren");
  EXPECT_EQ(strings.LookupUiString(IDS_STATUS_FINISHED), u"Finished.");
  EXPECT_EQ(strings.LookupUiString(IDS_START_NOW), u"");
  EXPECT_EQ(strings.LookupLink(IDS_RLINK_TERMS), u"https://go.orvanta.com/vzh-terms-de");
  EXPECT_EQ(strings.LookupLink(IDS_RLINK_SLIDE_SHOW), IDS_RLINK_SLIDE_SHOW.defaultText);
  // A link key is not a UI string: the sections are separate.
  EXPECT_EQ(strings.LookupUiString(IDS_RLINK_TERMS), IDS_RLINK_TERMS.defaultText);

  // Switching the language takes effect at the next lookup.
  strings.languageId = 1036;
  EXPECT_EQ(strings.LookupUiString(IDS_STATUS_DOWNLOADING),
            u"T\u00e9l\u00e9chargement en cours...");
  strings.languageId = 1031;
  EXPECT_EQ(strings.LookupUiString(IDS_STATUS_DOWNLOADING), u"Herunterladen, bitte warten...");

  // Titles of any language, whatever the current one.
  EXPECT_EQ(strings.LanguageTitle(1036), u"Fran\u00e7ais");
  EXPECT_EQ(strings.LanguageTitle(1031), u"Deutsch");
  EXPECT_EQ(strings.LanguageTitle(1041), u"1041");  // file without a "LANGUAGE" section
  EXPECT_EQ(strings.LanguageTitle(2052), u"2052");  // no file
  EXPECT_EQ(strings.LanguageTitle(-5), u"-5");
}

inline std::u16string FileName(const std::u16string& path) {
  return path.substr(path.find_last_of(u"\\/") + 1);
}

inline void CheckSlides(const std::u16string& fixtures, const IIniReader& reader) {
  struct Case {
    int dpi;
    const char16_t* folder;
    std::vector<std::u16string> names;
  };
  const Case cases[] = {
      {96, u"100", {u"slide1.jpg", u"slide2.jpg"}},
      {0, u"100", {u"slide1.jpg", u"slide2.jpg"}},
      {119, u"100", {u"slide1.jpg", u"slide2.jpg"}},
      {120, u"125", {u"Slide125.JPG"}},
      {143, u"125", {u"Slide125.JPG"}},
      {144, u"150", {u"a150.jpg"}},
      {192, u"200", {u"b200.Jpg"}},
      {288, u"200", {u"b200.Jpg"}},
  };
  for (const Case& c : cases) {
    UiStringCatalogue strings = FixtureCatalogue(fixtures, reader, 1031);
    auto slides = strings.SlideImages(c.dpi);
    std::vector<std::u16string> names;
    for (const auto& path : slides) {
      EXPECT_EQ(path.rfind(strings.SlideFolder(1031, SlideScaleForDpi(c.dpi)), 0), 0u);
      names.push_back(FileName(path));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.names) << "dpi " << c.dpi;
    EXPECT_EQ(strings.SlideFolder(1031, SlideScaleForDpi(c.dpi)),
              fixtures + u"\\localisation\\language\\1031\\slidesHome\\" + c.folder + u"\\");
  }

  // The list is kept once found: a later language or DPI does not change it.
  UiStringCatalogue strings = FixtureCatalogue(fixtures, reader, 1031);
  const auto first = strings.SlideImages(144);
  strings.languageId = 1036;
  EXPECT_EQ(strings.SlideImages(96), first);

  // An empty result is not kept: the next call looks again.
  UiStringCatalogue french = FixtureCatalogue(fixtures, reader, 1036);
  EXPECT_TRUE(french.SlideImages(96).empty());
  french.languageId = 1031;
  EXPECT_EQ(french.SlideImages(144).size(), 1u);
}

}  // namespace vwi::test
