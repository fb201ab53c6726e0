#include "download/catalogue_texts.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

// Without a language file the catalogue's defaults are the engine's own.
TEST(CatalogueTexts, DefaultsMatchTheEnglishTexts) {
  const UiStringCatalogue strings;
  const ProgressTexts fromCatalogue = ProgressTextsFrom(strings);
  const ProgressTexts english;
  EXPECT_EQ(fromCatalogue.statusInit, english.statusInit);
  EXPECT_EQ(fromCatalogue.statusDownloading, english.statusDownloading);
  EXPECT_EQ(fromCatalogue.statusInstalling, english.statusInstalling);
  EXPECT_EQ(fromCatalogue.statusCancelling, english.statusCancelling);
  EXPECT_EQ(fromCatalogue.statusFinished, english.statusFinished);
  EXPECT_EQ(fromCatalogue.statusFailed, english.statusFailed);
  EXPECT_EQ(fromCatalogue.statusCancelled, english.statusCancelled);
  EXPECT_EQ(fromCatalogue.calculating, english.calculating);
  EXPECT_EQ(fromCatalogue.hours, english.hours);
  EXPECT_EQ(fromCatalogue.mins, english.mins);
  EXPECT_EQ(fromCatalogue.secs, english.secs);
  const RecheckTexts recheck = RecheckTextsFrom(strings);
  EXPECT_EQ(recheck.installedAlready, RecheckTexts{}.installedAlready);
  EXPECT_EQ(recheck.clientTooOld, RecheckTexts{}.clientTooOld);
}

}  // namespace
}  // namespace vwi
