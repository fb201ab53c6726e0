#include "localisation/ui_string_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "localisation/file_system.h"
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
  const StringKey keys[] = {IDS_INSTALL,
                            IDS_STATUS_INIT,
                            IDS_STATUS_CANCELLING,
                            IDS_STATUS_DOWNLOADING,
                            IDS_STATUS_INSTALLING,
                            IDS_STATUS_FINISHED,
                            IDS_STATUS_INSTALL_FAILED,
                            IDS_STATUS_CANCELLED,
                            IDS_PRODUCT_READY,
                            IDS_ACCEPT_LICENSE_TERMS,
                            IDS_LINK_LICENSE_TERMS,
                            IDS_INSTALL_SETTINGS,
                            IDS_SELECT_LANG,
                            IDS_INSTALL_FOLDER,
                            IDS_TEXT_CANCEL,
                            IDS_MESSAGE_CANCELNOTICE,
                            IDS_START_NOW,
                            IDS_LAUNCH_APP,
                            IDS_BROWSE_DEST_FOLDER,
                            IDS_PREPARING,
                            IDS_CALC_TIME_REMAINING,
                            IDS_TIME_REMAINING_HOURS,
                            IDS_TIME_REMAINING_MINS,
                            IDS_TIME_REMAINING_SECS,
                            IDS_FILE_ASSOCIATION,
                            IDS_FILE_ASSOCIATE_ALL,
                            IDS_FILE_ASSOCIATE_UNUSED,
                            IDS_FILE_ASSOCIATE_NONE,
                            IDS_ERR_CAPTION,
                            IDS_ERR_INSTALLED_ALREADY,
                            IDS_ERR_CLIENT_TOO_OLD,
                            IDS_ERR_OUT_OF_DISK,
                            IDS_ERR_CONNECT_DOWNLOAD_SERVER,
                            IDS_ERR_CREATE_FOLDER_FAILED,
                            IDS_CLOSE_RUNNING_APPS,
                            IDS_RLINK_TERMS,
                            IDS_RLINK_SLIDE_SHOW};
  EXPECT_EQ(std::size(keys), 37u);
  for (size_t i = 0; i < std::size(keys); ++i) {
    EXPECT_EQ(keys[i].key.substr(0, 4), u"IDS_");
    EXPECT_FALSE(keys[i].defaultText.empty());
    for (size_t j = i + 1; j < std::size(keys); ++j) EXPECT_NE(keys[i].key, keys[j].key);
  }
}

TEST(Wildcard, MatchesWithoutRegardToCase) {
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u"a.JPG"));
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u".jpg"));
  EXPECT_TRUE(WildcardMatch(u"*.jpg", u"a.b.jpg"));
  EXPECT_FALSE(WildcardMatch(u"*.jpg", u"a.jpeg"));
  EXPECT_FALSE(WildcardMatch(u"*.jpg", u"a.jpg.txt"));
  EXPECT_TRUE(WildcardMatch(u"s?ide*", u"slide1.jpg"));
  EXPECT_TRUE(WildcardMatch(u"*a*a*a*b", std::u16string(5000, u'a') + u"b"));
}

}  // namespace
}  // namespace vwi
