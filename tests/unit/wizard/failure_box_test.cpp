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
  InstallResult refused = Failed(FailureCause::DownloadFailed, u"Vz27.msi");
  refused.transfer = RefusedWith(404);
  EXPECT_EQ(Box(refused)->text, IDS_ERR_CONNECT_DOWNLOAD_SERVER.defaultText);
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

}  // namespace
}  // namespace vwi
