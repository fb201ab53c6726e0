#include "wizard/progress_lines.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace vwi {
namespace {

TEST(FormatRemaining, PicksTheUnitsAndPadsToTwoDigits) {
  const ProgressTexts t;
  EXPECT_EQ(FormatRemaining(1000, t), u"01 secs remaining...");
  EXPECT_EQ(FormatRemaining(999, t), u"00 secs remaining...");
  EXPECT_EQ(FormatRemaining(61000, t), u"01 mins 01 secs remaining...");
  EXPECT_EQ(FormatRemaining(3723000, t), u"01 hours 02 mins 03 secs remaining...");
  EXPECT_EQ(FormatRemaining(0xFFFFFFFFu, t), u"1193 hours 02 mins 47 secs remaining...");
}

TEST(FormatRemaining, AHostileTranslationNeverReadsMissingArgumentsAndFallsBackToEnglish) {
  ProgressTexts t;
  t.secs = u"%02d Sekunden";
  EXPECT_EQ(FormatRemaining(7000, t), u"07 Sekunden");
  // Text for a number, more numbers than there are, a bare "%", an absurd width.
  for (const char16_t* hostile : {u"%s secs", u"%d %d %d", u"tail %", u"%999999999999d"}) {
    t.secs = hostile;
    EXPECT_EQ(FormatRemaining(7000, t), u"07 secs remaining...") << std::u16string(hostile).size();
  }
}

TEST(StatusTextFor, EachStateHasItsLineAndAnUnknownValueNone) {
  const ProgressTexts texts;
  const std::pair<InstallState, const char16_t*> lines[] = {
      {InstallState::Initial, u"Initializing..."},
      {InstallState::Downloading, u"Downloading, please wait..."},
      {InstallState::Installing, u"Installing, please wait..."},
      {InstallState::Cancelling, u"Cancelling..."},
      {InstallState::Finished, u"Finished."},
      {InstallState::Failed, u"Install failed."},
      {InstallState::Cancelled, u"Cancelled."},
      {static_cast<InstallState>(1), u""},
      {static_cast<InstallState>(9), u""}};
  for (const auto& [state, text] : lines) EXPECT_EQ(StatusTextFor(state, texts), text);
}

TEST(LinesOf, TheStatusLineAndTheTimeLineOfASnapshot) {
  ProgressTexts texts;
  ProgressSnapshot snapshot{InstallState::Downloading, 12.5f, 0, std::nullopt};
  ProgressLines lines = LinesOf(snapshot, texts);
  EXPECT_EQ(lines.statusText, u"Downloading, please wait...");
  EXPECT_EQ(lines.timeText, u"Calculating time remaining...");
  snapshot.remainingMilliseconds = 180000;
  EXPECT_EQ(LinesOf(snapshot, texts).timeText, u"03 mins 00 secs remaining...");
  // A wait to retry is counted down in the status line, in the chosen language.
  snapshot.retryInSeconds = 2;
  lines = LinesOf(snapshot, texts);
  EXPECT_EQ(lines.statusText, u"Connection interrupted. Retrying in 2 seconds...");
  EXPECT_EQ(lines.timeText, u"Calculating time remaining...");
  texts.retrying = u"Neuer Versuch in %d Sekunden...";
  EXPECT_EQ(LinesOf(snapshot, texts).statusText, u"Neuer Versuch in 2 Sekunden...");
  texts.retrying = u"Neuer Versuch in %s";  // a translation that does not fit the number
  EXPECT_EQ(LinesOf(snapshot, texts).statusText,
            u"Connection interrupted. Retrying in 2 seconds...");
  // A package waiting for another installation says so, with no estimate.
  ProgressSnapshot busy{InstallState::Installing, 60.0f, 0, 30000u, true};
  lines = LinesOf(busy, texts);
  EXPECT_EQ(lines.statusText, u"Waiting for another installation to finish...");
  EXPECT_EQ(lines.timeText, u"Calculating time remaining...");
}

TEST(ProgressTextsFrom, EveryTextComesFromItsKeyInTheChosenLanguage) {
  // A reader that answers every key with its own name.
  struct KeyNames final : IIniReader {
    std::u16string ReadString(const std::u16string&, std::u16string_view, std::u16string_view key,
                              std::u16string_view) const override {
      return std::u16string(key);
    }
  } names;
  UiStringCatalogue strings;
  strings.languageFolder = Utf16FromUtf8(VWI_FIXTURES) + u"\\localisation\\language\\";
  strings.languageId = 1031;
  strings.iniReader = &names;
  const ProgressTexts texts = ProgressTextsFrom(strings);
  for (const ProgressTextKey& entry : kProgressTextKeys) {
    EXPECT_EQ(texts.*entry.text, entry.key->key);
  }
}

}  // namespace
}  // namespace vwi
