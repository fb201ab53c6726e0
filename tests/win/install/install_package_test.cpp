#include "install/win/install_package.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>

#include <gtest/gtest.h>

#include "download/cancel_token.h"
#include "install/installer_message.h"
#include "install/installer_verdict.h"
#include "install/package_command_line.h"
#include "install_test_support.h"
#include "platform/diagnostics.h"
#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

using namespace vwi::test;

struct RecordingBox : IMessageBox {
  std::vector<std::u16string> texts;
  std::vector<uint32_t> styles;
  int Show(std::u16string_view text, std::u16string_view, uint32_t style) override {
    texts.emplace_back(text);
    styles.push_back(style);
    return 1;
  }
};

const std::wstring kInstallFolder = L"C:\\Program Files\\Orvanta Fixture Test";

struct Package : testing::Test {
  RecordingBox box;
  CancelToken cancel;
  std::vector<int32_t> percents;  // what the handler reported
  std::function<void(int32_t)> onPercent = [this](int32_t p) { percents.push_back(p); };
  std::wstring log;

  void SetUp() override {
    Uninstall(kProductCode);
    Uninstall(kFailingCode);
    DeleteKey(HKEY_LOCAL_MACHINE, kPackageKey);
    CreateDirectoryW(kInstallFolder.c_str(), nullptr);
    log = ScratchFolder(L"vwi package log") + L"\\diagnostics.log";
    SetDiagnosticFile(FromWide(log.c_str()));
  }
  void TearDown() override {
    SetDiagnosticFile(u"");
    Uninstall(kProductCode);
    Uninstall(kFailingCode);
  }
  PackageResult Install(const InstallItem& item, const std::u16string& commandLine) {
    const std::u16string caption = u"Vimzee Home";
    return InstallPackage(item, commandLine, {box, caption, onPercent, cancel});
  }
  PackageResult Install(const wchar_t* package, const std::u16string& commandLine) {
    return Install({u"Vimzee.msi", u"", FromWide(BuiltFixture(package).c_str()), u"", 1, 0},
                   commandLine);
  }
  std::string Log() {
    std::ifstream in(log.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  std::wstring Recorded(const wchar_t* name) {
    return ReadString(HKEY_LOCAL_MACHINE, kPackageKey, name).value_or(L"<missing>");
  }
};

PackageCommandLineInputs Fresh(const std::u16string& transformFolder) {
  PackageCommandLineInputs in;
  in.installFolder = FromWide(kInstallFolder.c_str()) + u"\\";
  in.installFolderExists = true;
  in.multipleLanguages = true;
  in.languageId = 1031;
  in.transformFolder = transformFolder;
  in.fileAssociation = 2;
  return in;
}

TEST_F(Package, FreshInstallTakesFolderTransformAndLevelAndReportsItsHomePage) {
  const std::wstring transforms = ScratchFolder(L"vwi transform folder") + L"\\";
  ASSERT_TRUE(MakeTransform(transforms + L"1031.mst", 1031));
  const PackageResult installed =
      Install(L"product_1.0.0.msi", BuildPackageCommandLine(Fresh(FromWide(transforms.c_str()))));
  ASSERT_TRUE(IsInstallerSuccess(installed.installerResult));

  EXPECT_EQ(Recorded(L"InstallDir"), kInstallFolder + L"\\");
  EXPECT_EQ(Recorded(L"ShellIntegrationLevel"), L"None");
  EXPECT_EQ(Recorded(L"TransformLanguage"), L"1031");
  EXPECT_EQ(Recorded(L"Version"), L"1.0.0");
  EXPECT_TRUE(FileExists(kInstallFolder + L"\\Product.exe"));
  EXPECT_EQ(installed.homepageUrl, u"http://127.0.0.1/vimzee/home");
  // The handler reported the package's progress, never backwards.
  ASSERT_FALSE(percents.empty());
  EXPECT_GT(percents.back(), 0);
  EXPECT_LE(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_TRUE(box.texts.empty());
  EXPECT_EQ(Log().find("KORVO_DEBUG"), std::string::npos);
  EXPECT_NE(Log().find("\r\n Property(S): InstallHomepageURL = http://127.0.0.1/vimzee/home"),
            std::string::npos);
}

TEST_F(Package, RepairWithTheSecondVersionReappliesTheProperties) {
  ASSERT_TRUE(IsInstallerSuccess(
      Install(L"product_1.0.0.msi", u"INSTALLDIR=\"" + FromWide(kInstallFolder.c_str()) +
                                        u"\" SHELL_INTEGRATION_LEVEL=\"All\"")
          .installerResult));
  EXPECT_EQ(Recorded(L"ShellIntegrationLevel"), L"All");
  PackageCommandLineInputs repair;
  repair.productInstalled = true;
  repair.fileAssociation = 1;
  ASSERT_TRUE(IsInstallerSuccess(
      Install(L"product_1.1.0.msi", BuildPackageCommandLine(repair)).installerResult));
  EXPECT_EQ(Recorded(L"Version"), L"1.1.0");
  EXPECT_EQ(Recorded(L"ShellIntegrationLevel"), L"Free");
}

TEST_F(Package, FailingPackageRollsBackShowsTheErrorAndLogsTheCode) {
  const InstallItem item{
      u"Failing.msi", u"", FromWide(BuiltFixture(L"failing.msi").c_str()), u"", 1, 0};
  // Windows passes the package's error to the handler; Wine shows it in a
  // box of its own, captioned "Error", which the answerer closes.
  BoxAnswerer wineBox(L"Error", {IDOK});
  EXPECT_EQ(Install(item, u" SHELL_INTEGRATION_LEVEL=\"All\"").installerResult, 1603u);
  const auto wineBoxes = wineBox.Finish();
  EXPECT_NE(Log().find("KORVO_DEBUG: MSI Installation failed. Error Code: 1603\r\n"),
            std::string::npos);
  EXPECT_FALSE(
      ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvanta\\VimzeeFixture\\Failing", L"Written"));
  EXPECT_FALSE(FileExists(L"C:\\Program Files\\Vimzee Failing Fixture\\Product.exe"));
  const std::u16string shown = !box.texts.empty()   ? box.texts[0]
                               : !wineBoxes.empty() ? FromWide(wineBoxes[0].text.c_str())
                                                    : u"<no box>";
  EXPECT_NE(shown.find(u"The fixture package fails here on purpose."), std::u16string::npos)
      << Utf8FromUtf16(shown);
}

TEST_F(Package, CancelAnsweredDuringTheInstallationEitherRollsBackOrArrivesTooLate) {
  // The handler answers every progress message with cancel. The installer
  // rolls back and returns 1602 (a failure); Wine ignores the answer and
  // completes, which the worker treats as a cancel that came too late.
  cancel.Cancel();
  const bool installed = IsInstallerSuccess(
      Install(L"product_1.0.0.msi", u" SHELL_INTEGRATION_LEVEL=\"All\"").installerResult);
  EXPECT_EQ(installed, ReadString(HKEY_LOCAL_MACHINE, kPackageKey, L"Version").has_value());
  if (!installed) {
    EXPECT_NE(Log().find("Error Code: 1602"), std::string::npos);
  }
}

TEST_F(Package, MissingPackageFailsWithItsCode) {
  const InstallItem item{u"Gone.msi", u"", u"C:\\nowhere\\gone.msi", u"", 1, 0};
  EXPECT_FALSE(IsInstallerSuccess(Install(item, u"").installerResult));
  EXPECT_NE(Log().find("KORVO_DEBUG: MSI Installation failed. Error Code: "), std::string::npos);
}

}  // namespace
}  // namespace vwi
