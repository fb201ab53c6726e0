#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"
#include "win/context/user_services.h"

namespace vwi {
namespace {

std::u16string OwnFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  PathRemoveFileSpecW(path);
  return FromWide(path);
}

void RemoveWorkFolders(const std::u16string& folder) {
  for (const char16_t* name : {u"\\component", u"\\msi", u"\\transform"}) {
    RemoveDirectoryW(Wide(folder + name));
  }
}

TEST(InstallerContextWin, InitialiseFillsThePathsBesideTheRealProgram) {
  const std::u16string folder = OwnFolder();
  WinSystemServices system;
  AppFlags flags;
  ContextServices services{system, flags};
  InstallerContext context;
  // No manifest beside a test program: the paths are filled, the manifest is not usable.
  EXPECT_EQ(context.Initialise(services), kManifestUnusable);
  EXPECT_EQ(context.programFolder, folder);
  EXPECT_EQ(context.manifestPath, folder + u"\\config\\manifestHome.xml");
}

TEST(InstallerContextWin, AUsersRunWorksBesideTheProgram) {
  const std::u16string folder = OwnFolder();
  RemoveWorkFolders(folder);
  test::UserServices system;
  InstallerContext context;
  context.programFolder = folder;
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_EQ(context.componentFolder, folder + u"\\component\\");
  EXPECT_EQ(context.msiFolder, folder + u"\\msi\\");
  EXPECT_EQ(context.transformFolder, folder + u"\\transform\\");
  for (const auto* path :
       {&context.componentFolder, &context.msiFolder, &context.transformFolder}) {
    const DWORD attributes = GetFileAttributesW(Wide(*path));
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  // Held for the run: none can be renamed away and replaced.
  EXPECT_FALSE(MoveFileW(Wide(folder + u"\\msi"), Wide(folder + u"\\msi-moved")));
  context.workFolders.Finish();
  EXPECT_TRUE(PathIsDirectoryW(Wide(context.msiFolder)));  // beside the program they stay
  EXPECT_TRUE(MoveFileW(Wide(folder + u"\\msi"), Wide(folder + u"\\msi-moved")));
  EXPECT_TRUE(MoveFileW(Wide(folder + u"\\msi-moved"), Wide(folder + u"\\msi")));
  RemoveWorkFolders(folder);
}

TEST(InstallerContextWin, AnElevatedRunWorksInItsOwnFolderUnderProgramData) {
  const std::u16string folder = OwnFolder();
  RemoveWorkFolders(folder);
  WinSystemServices system;
  InstallerContext context;
  context.programFolder = folder;
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  const std::u16string place = u"C:\\ProgramData\\Vimzee Web Installer\\run-";
  EXPECT_EQ(context.msiFolder.rfind(place, 0), 0u) << Utf8FromUtf16(context.msiFolder);
  EXPECT_EQ(context.msiFolder.substr(context.msiFolder.size() - 5), u"\\msi\\");
  EXPECT_TRUE(PathIsDirectoryW(Wide(context.transformFolder)));
  EXPECT_FALSE(PathIsDirectoryW(Wide(folder + u"\\msi")));  // nothing beside the program
  const std::u16string run = context.msiFolder.substr(0, context.msiFolder.size() - 5);
  EXPECT_FALSE(MoveFileW(Wide(run), Wide(run + u"-moved")));
  // The newer installer's folder lies in the run's.
  std::unique_ptr<IHeldFolder> updater = context.workFolders.MakeUpdaterFolder(system);
  ASSERT_TRUE(updater);
  EXPECT_EQ(updater->Path().rfind(run + u"\\updater-", 0), 0u);
  updater.reset();
  context.workFolders.Finish();
  EXPECT_FALSE(PathIsDirectoryW(Wide(run)));
}

}  // namespace
}  // namespace vwi
