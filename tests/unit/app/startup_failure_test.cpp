#include "app/startup_failure.h"

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "platform/posix/posix_system_services.h"

namespace vwi {
namespace {

TEST(StartupFailure, EachCodeTellsTheUserWhatToDo) {
  InstallerContext context;
  context.programFolder = u"C:\\Users\\Ann\\Downloads";
  context.manifestPath = u"C:\\Users\\Ann\\Downloads\\config\\manifestHome.xml";

  const StartupFailureMessage manifest = DescribeStartupFailure(kManifestUnusable, context);
  EXPECT_NE(manifest.text.find(context.manifestPath), std::u16string::npos);
  EXPECT_NE(manifest.text.find(u"download the installer again"), std::u16string::npos);

  const StartupFailureMessage folders = DescribeStartupFailure(kFolderFailure, context);
  EXPECT_NE(folders.text.find(context.programFolder), std::u16string::npos);

  const StartupFailureMessage path = DescribeStartupFailure(kProgramPathUnavailable, context);
  EXPECT_FALSE(path.text.empty());
  EXPECT_NE(path.text, manifest.text);
}

TEST(StartupFailure, AnElevatedRunNamesItsProtectedPlace) {
  // No program data folder to work in: moving the installer would not help.
  PosixSystemServices system(u"C:\\setup\\VimzeeWebInstaller.exe", u"");
  system.SetElevated(true, u"/no/such/program/data");
  InstallerContext context;
  context.programFolder = u"C:\\setup";
  EXPECT_FALSE(context.PrepareWorkFolders(system));
  const StartupFailureMessage folders = DescribeStartupFailure(kFolderFailure, context);
  EXPECT_EQ(folders.text,
            u"The installer cannot create its work folders in\n/no/such/program/data\\Vimzee Web "
            u"Installer\n\nPlease ask your administrator to check that folder.");
}

TEST(StartupFailure, CaptionIsTheShortNameWhenKnown) {
  InstallerContext context;
  EXPECT_EQ(DescribeStartupFailure(kManifestUnusable, context).caption, u"Vimzee Web Installer");
  context.manifest.shortName = u"Vimzee";
  EXPECT_EQ(DescribeStartupFailure(kFolderFailure, context).caption, u"Vimzee");
}

}  // namespace
}  // namespace vwi
