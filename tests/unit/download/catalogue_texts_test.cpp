#include "download/catalogue_texts.h"

#include <gtest/gtest.h>

#include "install/install_texts.h"

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
  const InstallTexts install = InstallTextsFrom(strings);
  EXPECT_EQ(install.connectDownloadServer, InstallTexts{}.connectDownloadServer);
  EXPECT_EQ(install.payloadDamaged, InstallTexts{}.payloadDamaged);
  EXPECT_EQ(install.closeRunningApps, InstallTexts{}.closeRunningApps);
}

TEST(DownloadFailureText, APackageThatDiffersFromItsDigestIsNamedInItsOwnBox) {
  const InstallTexts texts;
  DownloadControl control;
  control.failureCause = FailureCause::PayloadIntegrity;
  control.failedItem = u"VimzeeHome27.msi";
  EXPECT_EQ(DownloadFailureText(texts, control),
            u"The downloaded file VimzeeHome27.msi is damaged or has been changed. It was deleted "
            u"and nothing was installed. Try again later. If the issue persists, please contact "
            u"Customer Care.");
  // Every other failure of the downloads is the server's.
  for (const FailureCause cause : {FailureCause::DownloadFailed, FailureCause::None}) {
    control.failureCause = cause;
    EXPECT_EQ(DownloadFailureText(texts, control), texts.connectDownloadServer);
  }
  control.failureCause = FailureCause::PayloadIntegrity;
  control.failedItem.clear();
  EXPECT_EQ(DownloadFailureText(texts, control), texts.connectDownloadServer);
}

}  // namespace
}  // namespace vwi
