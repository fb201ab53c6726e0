#include "context/installer_context.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/posix/posix_system_services.h"
#include "platform/text.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

// A program folder of its own under the system's temporary folder.
class ContextFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vwi-context-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "Vimzee Setup");
    fs::create_directories(root_ / "temp");
  }
  void TearDown() override { fs::remove_all(root_); }

  // The root in the backslash form the core builds paths in.
  std::u16string Root() const {
    std::u16string text = Utf16FromUtf8(root_.string());
    for (auto& c : text) {
      if (c == u'/') c = u'\\';
    }
    return text;
  }
  PosixSystemServices System() const {
    return PosixSystemServices(Root() + u"\\Vimzee Setup\\VimzeeWebInstaller.exe",
                               Root() + u"\\temp\\");
  }

  fs::path root_;
};

TEST_F(ContextFolders, InitialiseWithoutConfigFolderReportsUnusableManifest) {
  PosixSystemServices system = System();
  AppFlags flags;
  ContextServices services{system, flags};
  InstallerContext context;
  EXPECT_EQ(context.Initialise(services), kManifestUnusable);
  EXPECT_FALSE(context.initialised);
  EXPECT_EQ(context.programFolder, Root() + u"\\Vimzee Setup");
  EXPECT_EQ(context.manifestPath, Root() + u"\\Vimzee Setup\\config\\manifestHome.xml");
  EXPECT_TRUE(context.componentFolder.empty());
}

TEST(Context, ProgramPathMissingOrWithoutFolderReportsCode3) {
  AppFlags flags;
  for (std::optional<std::u16string> path :
       {std::optional<std::u16string>(), std::optional<std::u16string>(u"installer.exe"),
        std::optional<std::u16string>(u"\\installer.exe")}) {
    PosixSystemServices system(path, u"");
    ContextServices services{system, flags};
    InstallerContext context;
    EXPECT_EQ(context.Initialise(services), kProgramPathUnavailable);
    EXPECT_TRUE(context.programFolder.empty());
    EXPECT_TRUE(context.manifestPath.empty());
  }
}

TEST(Context, DefaultsAtConstruction) {
  const InstallerContext context;
  EXPECT_EQ(context.installFolder, u"C:\\Program Files\\Orvanta");
  EXPECT_TRUE(context.multipleLanguages);
  EXPECT_EQ(context.fileAssociation, 0);
  EXPECT_EQ(context.strings.languageId, 1033);
  EXPECT_FALSE(context.initialised);
}

TEST_F(ContextFolders, PrepareWorkFoldersCreatesAllThree) {
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_EQ(context.componentFolder, Root() + u"\\Vimzee Setup\\component\\");
  EXPECT_EQ(context.msiFolder, Root() + u"\\Vimzee Setup\\msi\\");
  EXPECT_EQ(context.transformFolder, Root() + u"\\Vimzee Setup\\transform\\");
  for (const char* name : {"component", "msi", "transform"}) {
    EXPECT_TRUE(fs::is_directory(root_ / "Vimzee Setup" / name)) << name;
  }
}

TEST_F(ContextFolders, ComponentFolderWithEarlierFilesStaysInUse) {
  fs::create_directories(root_ / "Vimzee Setup" / "component");
  std::ofstream(root_ / "Vimzee Setup" / "component" / "earlier.msi") << "x";
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_TRUE(fs::exists(root_ / "Vimzee Setup" / "component" / "earlier.msi"));
}

TEST_F(ContextFolders, EmptyComponentFolderIsMadeAfresh) {
  fs::create_directories(root_ / "Vimzee Setup" / "component");
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_TRUE(fs::is_directory(root_ / "Vimzee Setup" / "component"));
}

TEST_F(ContextFolders, StandaloneLeavesTheComponentFolderAlone) {
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  context.manifest.standalone = true;
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_FALSE(fs::exists(root_ / "Vimzee Setup" / "component"));
  EXPECT_TRUE(fs::is_directory(root_ / "Vimzee Setup" / "msi"));
}

TEST_F(ContextFolders, FolderThatCannotBeCreatedFails) {
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  system.SetMaxPath(10);
  EXPECT_FALSE(context.PrepareWorkFolders(system));
}

// The newer installer's folder, as the validator asks for it.
std::u16string UpdaterFolder(InstallerContext& context, PosixSystemServices& system) {
  std::unique_ptr<IHeldFolder> folder = context.workFolders.MakeUpdaterFolder(system);
  return folder ? folder->Path() : u"";
}

TEST_F(ContextFolders, UpdaterFolderIsAFreshOneNamedAfterTheTick) {
  PosixSystemServices system = System();
  InstallerContext context;
  system.SetTickCount(123456);
  EXPECT_EQ(UpdaterFolder(context, system), Root() + u"\\temp\\VrelWebInstaller_123456\\");
  EXPECT_TRUE(fs::is_directory(root_ / "temp" / "VrelWebInstaller_123456"));
}

TEST_F(ContextFolders, AnUpdaterFolderThatExistsIsNeverUsed) {
  PosixSystemServices system = System();
  InstallerContext context;
  system.SetTickCount(77);
  // Made beforehand by someone else, perhaps with a planted file in it.
  fs::create_directories(root_ / "temp" / "VrelWebInstaller_77");
  fs::create_directories(root_ / "temp" / "VrelWebInstaller_78");
  EXPECT_EQ(UpdaterFolder(context, system), Root() + u"\\temp\\VrelWebInstaller_79\\");
}

TEST_F(ContextFolders, EveryWorkFolderIsHeldFromTheStart) {
  PosixSystemServices system = System();
  InstallerContext context;
  context.programFolder = Root() + u"\\Vimzee Setup";
  fs::create_directories(root_ / "Vimzee Setup" / "msi");  // one exists already
  ASSERT_TRUE(context.PrepareWorkFolders(system));
  EXPECT_EQ(context.workFolders.Path(WorkFolder::Component), context.componentFolder);
  EXPECT_EQ(context.workFolders.Path(WorkFolder::Msi), context.msiFolder);
  EXPECT_EQ(context.workFolders.Path(WorkFolder::Transform), context.transformFolder);
  EXPECT_FALSE(context.workFolders.IsProtected());
  EXPECT_EQ(context.workFolders.Place(), context.programFolder);
}

TEST_F(ContextFolders, UpdaterTickOf2To31OrMoreShowsNegative) {
  PosixSystemServices system = System();
  InstallerContext context;
  system.SetTickCount(0x80000000u);
  EXPECT_EQ(UpdaterFolder(context, system), Root() + u"\\temp\\VrelWebInstaller_-2147483648\\");
}

TEST_F(ContextFolders, NoUpdaterFolderWhenNoneCanBeMade) {
  PosixSystemServices system = System();
  system.SetMaxPath(20);
  InstallerContext context;
  EXPECT_EQ(UpdaterFolder(context, system), u"");
  PosixSystemServices noTemp(u"C:\\x\\a.exe", u"");
  EXPECT_EQ(UpdaterFolder(context, noTemp), u"");
}

}  // namespace
}  // namespace vwi
