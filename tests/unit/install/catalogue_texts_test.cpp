#include "install/catalogue_texts.h"

#include <gtest/gtest.h>

#include "install/install_texts.h"

namespace vwi {
namespace {

TEST(DownloadFailureText, APackageThatDiffersFromItsDigestIsNamedInItsOwnBox) {
  const InstallTexts texts;
  StepResult failed = StepResult::Failed(FailureCause::PayloadIntegrity, u"VimzeeHome27.msi");
  EXPECT_EQ(DownloadFailureText(texts, failed),
            u"The downloaded file VimzeeHome27.msi is damaged or has been changed. It was deleted "
            u"and nothing was installed. Try again later. If the issue persists, please contact "
            u"Customer Care.");
  // Every other failure of the downloads is the server's.
  for (const FailureCause cause : {FailureCause::DownloadFailed, FailureCause::None}) {
    failed.cause = cause;
    EXPECT_EQ(DownloadFailureText(texts, failed), texts.connectDownloadServer);
  }
  failed.cause = FailureCause::PayloadIntegrity;
  failed.failedItem.clear();
  EXPECT_EQ(DownloadFailureText(texts, failed), texts.connectDownloadServer);
}

TEST(DownloadFailureText, ATranslationThatDoesNotFitTheNameIsReplacedByEnglish) {
  InstallTexts texts;
  StepResult failed = StepResult::Failed(FailureCause::PayloadIntegrity, u"a.msi");
  texts.payloadDamaged = u"Die Datei %s ist besch\u00e4digt.";
  EXPECT_EQ(DownloadFailureText(texts, failed), u"Die Datei a.msi ist besch\u00e4digt.");
  texts.payloadDamaged = u"Die Datei %d ist %s.";
  EXPECT_EQ(DownloadFailureText(texts, failed).rfind(u"The downloaded file a.msi is damaged", 0),
            0u);
}

}  // namespace
}  // namespace vwi
