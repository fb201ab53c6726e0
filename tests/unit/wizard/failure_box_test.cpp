#include "wizard/failure_box.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/message_box.h"
#include "platform/text.h"

namespace vwi {
namespace {

// Language files as a map of key to text, for one language.
class MapIniReader final : public IIniReader {
 public:
  std::map<std::u16string, std::u16string> values;
  std::u16string ReadString(const std::u16string&, std::u16string_view, std::u16string_view key,
                            std::u16string_view fallback) const override {
    const auto found = values.find(std::u16string(key));
    return found == values.end() ? std::u16string(fallback) : found->second;
  }
};

struct FailureBoxCase : ::testing::Test {
  MapIniReader ini;
  UiStringCatalogue strings;
  FailureBoxCase() {
    // A language that has a file, whose values come from the map.
    strings.languageFolder = Utf16FromUtf8(VWI_FIXTURES) + u"\\localisation\\language\\";
    strings.languageId = 1031;
    strings.iniReader = &ini;
  }
  static InstallResult Failed(FailureCause cause, std::u16string item = {}) {
    InstallResult result;
    result.state = InstallState::Failed;
    result.cause = cause;
    result.failedItem = std::move(item);
    return result;
  }
  std::optional<FailureBox> Box(const InstallResult& result) {
    return FailureBoxFor(result, strings, u"Vimzee Home");
  }
};

TEST_F(FailureBoxCase, APackageThatDiffersFromItsDigestIsNamedInItsOwnBox) {
  const std::optional<FailureBox> box = Box(Failed(FailureCause::PayloadIntegrity, u"Vz27.msi"));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            u"The downloaded file Vz27.msi is damaged or has been changed. It was deleted and "
            u"nothing was installed. Try again later. If the issue persists, please contact "
            u"Customer Care.");
  EXPECT_EQ(box->caption, u"Vimzee Home");
  EXPECT_EQ(box->style, message_box::kIconError);
  // Without a name it is the server's failure, like every other failed download.
  EXPECT_EQ(Box(Failed(FailureCause::PayloadIntegrity))->text,
            IDS_ERR_CONNECT_DOWNLOAD_SERVER.defaultText);
}

TEST_F(FailureBoxCase, AFailedDownloadTellsItsCauseWithTheAddressAndTheCode) {
  const auto withCode = [](TransferFailure failure, uint32_t code) {
    TransferResult result;
    result.failure = failure;
    result.systemCode = code;
    return result;
  };
  const std::pair<TransferResult, std::u16string_view> kinds[] = {
      {RefusedWith(404),
       u"The download server refused the download (HTTP status 404). Try again later. If the "
       u"issue persists, please contact Customer Care.\n\n"
       u"http://dl.example/Vz27.msi: status 404"},
      {RefusedWith(407),
       u"The proxy server asks for a user name and password. Ask your administrator for them, "
       u"then try again.\n\nhttp://dl.example/Vz27.msi: proxy authentication required (status "
       u"407)"},
      {withCode(TransferFailure::WebPage, 0),
       u"The network returned a web page instead of the download. If this network needs you to "
       u"sign in, open a web browser, sign in, and try again.\n\n"
       u"http://dl.example/Vz27.msi: a web page instead of the download"},
      {withCode(TransferFailure::CertificateRefused, 12037),
       u"The download server's certificate is not valid at this computer's date and time. Check "
       u"that the date and time are correct, then try again.\n\n"
       u"http://dl.example/Vz27.msi: certificate refused (12037)"},
      {withCode(TransferFailure::CertificateRefused, 12045),
       u"The download server's certificate was issued by an authority this computer does not "
       u"trust. A network that inspects secure connections can cause this; ask your "
       u"administrator.\n\nhttp://dl.example/Vz27.msi: certificate refused (12045)"},
  };
  for (const auto& [transfer, text] : kinds) {
    InstallResult failed = Failed(FailureCause::DownloadFailed, u"Vz27.msi");
    failed.failedAddress = u"http://dl.example/Vz27.msi";
    failed.transfer = transfer;
    EXPECT_EQ(Box(failed)->text, text);
  }
  // The other kinds each have a sentence of their own; a cause without one
  // keeps the box it always had.
  const std::pair<TransferResult, StringKey> sentences[] = {
      {withCode(TransferFailure::NameNotResolved, 12007), IDS_ERR_SERVER_NOT_FOUND},
      {withCode(TransferFailure::CertificateRefused, 12038), IDS_ERR_CERT_NAME},
      {withCode(TransferFailure::CertificateRefused, 12057), IDS_ERR_CERT_OTHER},
      {withCode(TransferFailure::Stalled, 0), IDS_ERR_DOWNLOAD_STALLED},
      {withCode(TransferFailure::NoConnection, 12029), IDS_ERR_CONNECT_DOWNLOAD_SERVER},
      {withCode(TransferFailure::Other, 5), IDS_ERR_CONNECT_DOWNLOAD_SERVER}};
  for (const auto& [transfer, key] : sentences) {
    InstallResult failed = Failed(FailureCause::DownloadFailed);
    failed.transfer = transfer;
    EXPECT_EQ(Box(failed)->text, key.defaultText) << std::string(key.key.begin(), key.key.end());
  }
  // A translation whose placeholder does not take the status falls back to English.
  ini.values[u"IDS_ERR_SERVER_REFUSED"] = u"Abgelehnt (%s).";
  InstallResult refused = Failed(FailureCause::DownloadFailed);
  refused.transfer = RefusedWith(503);
  EXPECT_EQ(
      Box(refused)->text.rfind(u"The download server refused the download (HTTP status 503)", 0),
      0u);
}

TEST_F(FailureBoxCase, AFullVolumeNamesTheMegabytesAndTheRecheckHasItsOwnCaption) {
  InstallResult full = Failed(FailureCause::DiskSpace);
  full.megabytesNeeded = 118;
  const std::optional<FailureBox> box = Box(full);
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find(u"at least 118 MB"), std::u16string::npos);
  EXPECT_EQ(box->style, message_box::kOk | message_box::kIconError);
  EXPECT_EQ(Box(Failed(FailureCause::AlreadyInstalled))->text,
            u"Vimzee Home is already installed. Would you like to launch it?");
  EXPECT_EQ(Box(Failed(FailureCause::InstallerTooOld))->caption, u"Windows Installer");
}

TEST_F(FailureBoxCase, NothingForARunThatDidNotFailOrWasToldWhereItFailed) {
  InstallResult finished;
  finished.state = InstallState::Finished;
  EXPECT_FALSE(Box(finished));
  InstallResult cancelled;
  cancelled.state = InstallState::Cancelled;
  EXPECT_FALSE(Box(cancelled));
  InstallResult package = Failed(FailureCause::PackageFailed, u"Vz27.msi");
  package.installerResult = 1603;
  EXPECT_FALSE(Box(package));
}

TEST_F(FailureBoxCase, ATranslationIsUsedWhenItFitsTheNameAndEnglishOtherwise) {
  ini.values[u"IDS_ERR_PAYLOAD_DAMAGED"] = u"Die Datei %s ist besch\u00e4digt.";
  EXPECT_EQ(Box(Failed(FailureCause::PayloadIntegrity, u"a.msi"))->text,
            u"Die Datei a.msi ist besch\u00e4digt.");
  ini.values[u"IDS_ERR_PAYLOAD_DAMAGED"] = u"Die Datei %d ist %s.";
  EXPECT_EQ(Box(Failed(FailureCause::PayloadIntegrity, u"a.msi"))
                ->text.rfind(u"The downloaded file a.msi is damaged", 0),
            0u);
}

TEST_F(FailureBoxCase, ABusyInstallerAndAFailedPrerequisiteAreToldOutsideSilentRuns) {
  InstallResult program = Failed(FailureCause::ProgramFailed, u"vc_redist.exe");
  program.installerResult = 1603;
  ASSERT_TRUE(Box(program));
  EXPECT_EQ(Box(program)->text,
            u"vc_redist.exe could not be installed (error 1603), so nothing more was installed. "
            u"Try again later. If the issue persists, please contact Customer Care.");
  ASSERT_TRUE(Box(Failed(FailureCause::InstallerBusy)));
  EXPECT_NE(Box(Failed(FailureCause::InstallerBusy))->text.find(u"Another installation"),
            std::u16string::npos);
  EXPECT_FALSE(IsToldInSilentMode(FailureCause::ProgramFailed));
  EXPECT_FALSE(IsToldInSilentMode(FailureCause::InstallerBusy));
  for (FailureCause told : {FailureCause::DownloadFailed, FailureCause::PayloadIntegrity,
                            FailureCause::DiskSpace, FailureCause::AlreadyInstalled}) {
    EXPECT_TRUE(IsToldInSilentMode(told));
  }
}

}  // namespace
}  // namespace vwi
