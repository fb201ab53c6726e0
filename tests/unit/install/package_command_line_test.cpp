#include "install/package_command_line.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

PackageCommandLineInputs Fresh() {
  PackageCommandLineInputs in;
  in.installFolder = u"C:\\Program Files\\Orvanta\\";
  in.installFolderExists = true;
  in.transformFolder = u"C:\\Users\\Ann Lee\\Downloads\\transform\\";
  return in;
}

TEST(PackageCommandLine, FreshInstallIntoExistingFolderDropsTrailingBackslash) {
  EXPECT_EQ(BuildPackageCommandLine(Fresh()),
            u"INSTALLDIR=\"C:\\Program Files\\Orvanta\" SHELL_INTEGRATION_LEVEL=\"All\""
            u" REBOOT=ReallySuppress");
}

TEST(PackageCommandLine, MissingFolderAndGermanTransformStartWithASpace) {
  PackageCommandLineInputs in = Fresh();
  in.installFolderExists = false;
  in.multipleLanguages = true;
  in.languageId = 1031;
  in.fileAssociation = 2;
  EXPECT_EQ(BuildPackageCommandLine(in),
            u" TRANSFORMS=\"C:\\Users\\Ann Lee\\Downloads\\transform\\1031.mst\""
            u" SHELL_INTEGRATION_LEVEL=\"None\" REBOOT=ReallySuppress");
}

TEST(PackageCommandLine, RepairNeverPassesTheFolder) {
  PackageCommandLineInputs in = Fresh();
  in.productInstalled = true;
  in.fileAssociation = 1;
  EXPECT_EQ(BuildPackageCommandLine(in),
            u"REINSTALL=ALL REINSTALLMODE=vomus REBOOT=ReallySuppress"
            u" SHELL_INTEGRATION_LEVEL=\"Free\"");
}

TEST(PackageCommandLine, PropertiesStandInOrderFolderTransformLevel) {
  PackageCommandLineInputs in = Fresh();
  in.installFolder = u"D:\\Photo Tools";
  in.multipleLanguages = true;
  in.languageId = 1036;
  EXPECT_EQ(BuildPackageCommandLine(in),
            u"INSTALLDIR=\"D:\\Photo Tools\" TRANSFORMS=\"C:\\Users\\Ann "
            u"Lee\\Downloads\\transform\\1036.mst\" SHELL_INTEGRATION_LEVEL=\"All\""
            u" REBOOT=ReallySuppress");
}

TEST(PackageCommandLine, NoTransformForEnglishOrASingleLanguage) {
  PackageCommandLineInputs english = Fresh();
  english.multipleLanguages = true;
  english.languageId = 1033;
  EXPECT_EQ(BuildPackageCommandLine(english).find(u"TRANSFORMS"), std::u16string::npos);

  PackageCommandLineInputs single = Fresh();
  single.languageId = 1031;
  EXPECT_EQ(BuildPackageCommandLine(single).find(u"TRANSFORMS"), std::u16string::npos);
}

TEST(PackageCommandLine, UnknownAssociationChoicePassesAnEmptyLevel) {
  PackageCommandLineInputs in = Fresh();
  in.installFolderExists = false;
  in.fileAssociation = 7;
  EXPECT_EQ(BuildPackageCommandLine(in), u" SHELL_INTEGRATION_LEVEL=\"\" REBOOT=ReallySuppress");
  EXPECT_EQ(ShellIntegrationLevel(-1), u"");
  EXPECT_EQ(ShellIntegrationLevel(0), u"All");
  EXPECT_EQ(ShellIntegrationLevel(1), u"Free");
  EXPECT_EQ(ShellIntegrationLevel(2), u"None");
}

TEST(PackageCommandLine, ARestartIsSuppressedUnlessTheLineSetsRebootItself) {
  EXPECT_EQ(WithRestartSuppressed(u"/i \"a.msi\" /qn"), u"/i \"a.msi\" /qn REBOOT=ReallySuppress");
  EXPECT_EQ(WithRestartSuppressed(u""), u" REBOOT=ReallySuppress");
  // The manifest's own choice stands, in any case, at the start or after a space.
  for (const char16_t* own :
       {u"/qn REBOOT=Force", u"reboot=ReallySuppress /qn", u"/qn\tReboot=S"}) {
    EXPECT_EQ(WithRestartSuppressed(own), own);
  }
  // A property that only ends in REBOOT is another one.
  EXPECT_EQ(WithRestartSuppressed(u"NOREBOOT=1"), u"NOREBOOT=1 REBOOT=ReallySuppress");
}

}  // namespace
}  // namespace vwi
