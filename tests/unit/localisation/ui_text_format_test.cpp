#include "localisation/ui_text_format.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace vwi {
namespace {

const std::u16string kFixtures = Utf16FromUtf8(VWI_FIXTURES);

TEST(FormatUiText, EnglishDefaultsGiveTheirTexts) {
  EXPECT_EQ(FormatUiText(IDS_PRODUCT_READY.defaultText, {u"Vimzee Home"}), u"Vimzee Home is ready");
  EXPECT_EQ(FormatUiText(IDS_LAUNCH_APP.defaultText, {u"Vimzee Home 27"}),
            u"Launch Vimzee Home 27");
  EXPECT_EQ(FormatUiText(IDS_ERR_INSTALLED_ALREADY.defaultText, {u"Vimzee"}),
            u"Vimzee is already installed. Would you like to launch it?");
  EXPECT_EQ(FormatUiText(IDS_ERR_CREATE_FOLDER_FAILED.defaultText, {u"Q:\\Nowhere"}),
            u"The specified path Q:\\Nowhere is unavailable.");
  EXPECT_EQ(FormatUiText(IDS_TIME_REMAINING_HOURS.defaultText, {1, 2, 3}),
            u"01 hours 02 mins 03 secs remaining...");
  EXPECT_EQ(FormatUiText(IDS_TIME_REMAINING_HOURS.defaultText, {123, 59, 0}),
            u"123 hours 59 mins 00 secs remaining...");
  EXPECT_EQ(FormatUiText(IDS_TIME_REMAINING_MINS.defaultText, {5, 40}),
            u"05 mins 40 secs remaining...");
  EXPECT_EQ(FormatUiText(IDS_TIME_REMAINING_SECS.defaultText, {7}), u"07 secs remaining...");
  EXPECT_EQ(*FormatUiText(IDS_ERR_OUT_OF_DISK.defaultText, {u"512"}),
            u"The disk space required for the installation exceeds available disk space. Check "
            u"that at least 512 MB of disk space is available and try again. For more "
            u"information, please contact Customer Care.");
}

TEST(FormatUiText, FollowsPrintfForTheConversionsItKnows) {
  EXPECT_EQ(FormatUiText(u"[%5s|%-5s|%.2s]", {u"ab", u"cd", u"efgh"}), u"[   ab|cd   |ef]");
  EXPECT_EQ(FormatUiText(u"[%03d|%-4d|%+d|% d|%d]", {-5, 7, 3, 4, 0}), u"[-05|7   |+3| 4|0]");
  EXPECT_EQ(FormatUiText(u"[%.3d|%5.3d|%u|%i|%ld]", {7, 7, -1, 42, 9}),
            u"[007|  007|4294967295|42|9]");
  EXPECT_EQ(FormatUiText(u"100%% %s", {u"done"}), u"100% done");
  EXPECT_EQ(FormatUiText(u"%d", {int64_t{-2147483648LL}}), u"-2147483648");
}

TEST(FormatUiText, RefusesPlaceholdersThatDoNotFitTheArguments) {
  EXPECT_EQ(FormatUiText(u"%s %s", {u"one"}), std::nullopt);     // too many placeholders
  EXPECT_EQ(FormatUiText(u"%d secs", {u"text"}), std::nullopt);  // text for a number
  EXPECT_EQ(FormatUiText(u"%s ready", {5}), std::nullopt);       // number for a text
  EXPECT_EQ(FormatUiText(u"%n%p%x%c%f", {1, 2, 3, 4, 5}), std::nullopt);
  EXPECT_EQ(FormatUiText(u"%*d", {5, 6}), std::nullopt);
  EXPECT_EQ(FormatUiText(u"50%", {}), std::nullopt);
  EXPECT_EQ(FormatUiText(u"%99999999999d", {1}), std::nullopt);
  EXPECT_EQ(FormatUiText(u"%.260s", {u"x"}), std::nullopt);
  EXPECT_EQ(FormatUiText(u"%259d", {1})->size(), 259u);
  // Fewer placeholders than arguments, or none: the rest is ignored.
  EXPECT_EQ(FormatUiText(u"Fertig", {u"Vimzee"}), u"Fertig");
  EXPECT_EQ(FormatUiText(u"%02d min", {5, 40}), u"05 min");
}

TEST(FormatUiString, FallsBackToTheDefaultForABadTranslation) {
  UiStringCatalogue strings;
  strings.languageFolder = kFixtures + u"\\localisation\\language\\";
  strings.languageId = 1031;
  // A good translation.
  EXPECT_EQ(FormatUiString(strings, IDS_PRODUCT_READY, {u"Vimzee"}), u"Vimzee ist bereit");
  // "%d starten": a number placeholder for the product name.
  EXPECT_EQ(FormatUiString(strings, IDS_LAUNCH_APP, {u"Vimzee Home"}), u"Launch Vimzee Home");
  // "noch %02d s %s": one placeholder too many.
  EXPECT_EQ(FormatUiString(strings, IDS_TIME_REMAINING_SECS, {9}), u"09 secs remaining...");
  // "noch %02d min": drops the seconds, which is harmless.
  EXPECT_EQ(FormatUiString(strings, IDS_TIME_REMAINING_MINS, {3, 15}), u"noch 03 min");
  // A caller passing the wrong arguments gets the text unfilled, never garbage.
  strings.languageId = 1033;
  EXPECT_EQ(FormatUiString(strings, IDS_PRODUCT_READY, {}), u"%s is ready");
}

}  // namespace
}  // namespace vwi
