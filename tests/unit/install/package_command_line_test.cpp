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
            u"INSTALLDIR=\"C:\\Program Files\\Orvanta\" SHELL_INTEGRATION_LEVEL=\"All\"");
}

TEST(PackageCommandLine, MissingFolderAndGermanTransformStartWithASpace) {
  PackageCommandLineInputs in = Fresh();
  in.installFolderExists = false;
  in.multipleLanguages = true;
  in.languageId = 1031;
  in.fileAssociation = 2;
  EXPECT_EQ(BuildPackageCommandLine(in),
            u" TRANSFORMS=\"C:\\Users\\Ann Lee\\Downloads\\transform\\1031.mst\""
            u" SHELL_INTEGRATION_LEVEL=\"None\"");
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
            u"Lee\\Downloads\\transform\\1036.mst\" SHELL_INTEGRATION_LEVEL=\"All\"");
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
  EXPECT_EQ(BuildPackageCommandLine(in), u" SHELL_INTEGRATION_LEVEL=\"\"");
  EXPECT_EQ(ShellIntegrationLevel(-1), u"");
  EXPECT_EQ(ShellIntegrationLevel(0), u"All");
  EXPECT_EQ(ShellIntegrationLevel(1), u"Free");
  EXPECT_EQ(ShellIntegrationLevel(2), u"None");
}

}  // namespace
}  // namespace vwi
