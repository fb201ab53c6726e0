#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"

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

TEST(InstallerContextWin, WorkFoldersAreCreatedBesideTheProgram) {
  const std::u16string folder = OwnFolder();
  RemoveWorkFolders(folder);
  WinSystemServices system;
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
  RemoveWorkFolders(folder);
}

TEST(InstallerContextWin, UpdaterPathIsInAFreshTemporaryFolder) {
  WinSystemServices system;
  InstallerContext context;
  context.manifest.fullName = u"Vimzee Home";
  const std::u16string path = context.MakeUpdaterPath(system);
  ASSERT_FALSE(path.empty());
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  EXPECT_EQ(path.rfind(FromWide(temp) + u"VrelWebInstaller_", 0), 0u);
  EXPECT_EQ(path.substr(path.size() - 16), u"\\Vimzee Home.exe");
  const std::u16string folder = path.substr(0, path.rfind(u'\\'));
  EXPECT_TRUE(PathIsDirectoryW(Wide(folder)));
  RemoveDirectoryW(Wide(folder));
}

}  // namespace
}  // namespace vwi
