// The protected place an elevated run works in, against native folders whose
// owners and access lists the test chooses (folder_doubles.h).
#include "context/work_folders.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/text.h"
#include "unit/platform/folder_doubles.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;
using test::ScriptedSystem;

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void Write(IHeldFolder& folder, std::u16string_view name, const std::string& text) {
  std::unique_ptr<INewFile> file = folder.MakeFile(name);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->WriteAt(0, text.data(), text.size()));
}

struct ProtectedPlace : testing::Test {
  ProtectedPlace()
      : system(W(Root() / "Downloads" / "VimzeeWebInstaller.exe"), W(Root() / "temp")) {
    fs::remove_all(Root());
    for (const char* folder : {"Downloads", "ProgramData", "temp"})
      fs::create_directories(Root() / folder);
    system.SetElevated(true, W(Root() / "ProgramData"));
    system.SetTickCount(500);
  }
  ~ProtectedPlace() override { fs::remove_all(Root()); }

  static fs::path Root() {
    return fs::temp_directory_path() /
           ("vwi-place-" + std::to_string(getpid()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  static std::u16string W(const fs::path& path) {
    std::u16string text = Utf16FromUtf8(path.string());
    std::replace(text.begin(), text.end(), u'/', u'\\');
    return text;
  }
  static fs::path Place() { return Root() / "ProgramData" / "Vimzee Web Installer"; }
  bool Prepare(WorkFolders& folders, bool standalone = false) {
    return folders.Prepare(system, W(Root() / "Downloads"), standalone);
  }

  ScriptedSystem system;
};

TEST_F(ProtectedPlace, AnElevatedRunWorksInANewFolderOfItsOwnUnderProgramData) {
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_TRUE(folders.IsProtected());
  EXPECT_EQ(folders.Place(), W(Place()));
  EXPECT_EQ(folders.Path(WorkFolder::Msi), W(Place() / "run-500" / "msi") + u"\\");
  EXPECT_EQ(Entries(Place() / "run-500"),
            (std::vector<std::string>{"component", "msi", "transform"}));
  EXPECT_EQ(Entries(Place()), (std::vector<std::string>{"cache", "run-500"}));
  // Nothing is made beside the program.
  EXPECT_TRUE(Entries(Root() / "Downloads").empty());
  folders.Finish();
  EXPECT_EQ(Entries(Place()), std::vector<std::string>{"cache"});
  EXPECT_EQ(folders.Folder(WorkFolder::Msi), nullptr);
}

TEST_F(ProtectedPlace, ARunNeverUsesAFolderThatExistedAndSweepsEarlierRunsAway) {
  fs::create_directories(Place() / "run-500" / "msi");
  std::ofstream(Place() / "run-500" / "msi" / "planted.msi") << "planted";
  fs::create_directories(Place() / "run-17" / "component");  // a run that ended without its end
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_EQ(folders.Path(WorkFolder::Msi), W(Place() / "run-501" / "msi") + u"\\");
  EXPECT_EQ(Entries(Place()), (std::vector<std::string>{"cache", "run-501"}));
}

TEST_F(ProtectedPlace, AFolderTheUserMadeThereIsMovedAsideAndNeverFollowed) {
  fs::create_directories(Place() / "cache" / "msi");
  std::ofstream(Place() / "cache" / "msi" / "Vimzee.msi") << "planted";
  system.script.facts[W(Place()) + u"\\"] = test::OwnedByUser();
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_EQ(
      Entries(Root() / "ProgramData"),
      (std::vector<std::string>{"Vimzee Web Installer", "Vimzee Web Installer.untrusted-500"}));
  // The new place holds nothing of the old one.
  EXPECT_FALSE(fs::exists(Place() / "cache" / "msi" / "Vimzee.msi"));
  EXPECT_FALSE(folders.BringBackKept(WorkFolder::Msi, u"Vimzee.msi"));
  EXPECT_EQ(Text(Root() / "ProgramData" / "Vimzee Web Installer.untrusted-500" / "cache" / "msi" /
                 "Vimzee.msi"),
            "planted");
}

TEST_F(ProtectedPlace, SoIsOneOthersMayAddToAndALinkInItsPlace) {
  fs::create_directories(Place());
  system.script.facts[W(Place()) + u"\\"] = test::WritableByAll();
  WorkFolders first;
  ASSERT_TRUE(Prepare(first));
  first.Finish();
  EXPECT_TRUE(fs::exists(Root() / "ProgramData" / "Vimzee Web Installer.untrusted-500"));

  fs::remove_all(Place());
  fs::create_directories(Root() / "elsewhere");
  fs::create_directory_symlink(Root() / "elsewhere", Place());
  WorkFolders second;
  ASSERT_TRUE(Prepare(second));
  EXPECT_TRUE(fs::is_symlink(Root() / "ProgramData" / "Vimzee Web Installer.untrusted-501"));
  EXPECT_TRUE(Entries(Root() / "elsewhere").empty());
  EXPECT_FALSE(fs::is_symlink(Place()));
}

TEST_F(ProtectedPlace, AFolderThatCannotBeMovedAsideLeavesItsNameToTheNextOne) {
  fs::create_directories(Place());
  system.script.facts[W(Place()) + u"\\"] = test::OwnedByUser();
  system.script.unmovable = {W(Root() / "ProgramData") + u"\\Vimzee Web Installer"};
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_EQ(folders.Place(), W(Root() / "ProgramData" / "Vimzee Web Installer 2"));
  EXPECT_TRUE(Entries(Place()).empty());  // nothing was made in the untrusted one
}

TEST_F(ProtectedPlace, WhereDescriptorsAreNotKeptOnlyTheKindIsChecked) {
  // The file system reported its own owner for the folder this run made:
  // what it says of others proves nothing.
  fs::create_directories(Place());
  system.script.facts[W(Place()) + u"\\"] = test::OwnedByUser();
  system.script.others = test::OwnedByUser();
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_EQ(folders.Place(), W(Place()));
  EXPECT_EQ(Entries(Root() / "ProgramData"), std::vector<std::string>{"Vimzee Web Installer"});
}

TEST_F(ProtectedPlace, AnUntrustedCacheIsReplacedAndAKeptPackageComesBack) {
  fs::create_directories(Place() / "cache" / "msi");
  std::ofstream(Place() / "cache" / "msi" / "Vimzee.msi") << "planted";
  system.script.facts[W(Place() / "cache" / "msi") + u"\\"] = test::WritableByAll();
  WorkFolders first;
  ASSERT_TRUE(Prepare(first));
  EXPECT_FALSE(fs::exists(Place() / "cache" / "msi" / "Vimzee.msi"));
  Write(*first.Folder(WorkFolder::Msi), u"Vimzee.msi", "package");
  Write(*first.Folder(WorkFolder::Component), u"500vc_redist.exe", "program");
  first.KeepForReuse(WorkFolder::Msi, u"Vimzee.msi");
  first.KeepForReuse(WorkFolder::Component, u"500vc_redist.exe");  // never reused: not kept
  first.Finish();
  system.script.facts.clear();
  EXPECT_EQ(Entries(Place() / "cache" / "msi"), std::vector<std::string>{"Vimzee.msi"});
  EXPECT_EQ(Entries(Place()), std::vector<std::string>{"cache"});

  system.SetTickCount(900);
  WorkFolders second;
  ASSERT_TRUE(Prepare(second));
  EXPECT_TRUE(second.BringBackKept(WorkFolder::Msi, u"Vimzee.msi"));
  EXPECT_EQ(Text(Place() / "run-900" / "msi" / "Vimzee.msi"), "package");
  EXPECT_FALSE(second.BringBackKept(WorkFolder::Transform, u"1031.mst"));
}

TEST_F(ProtectedPlace, TheNewerInstallerGoesIntoTheRunsFolder) {
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  system.SetTickCount(777);
  std::unique_ptr<IHeldFolder> updater = folders.MakeUpdaterFolder(system);
  ASSERT_TRUE(updater);
  EXPECT_EQ(updater->Path(), W(Place() / "run-500" / "updater-777") + u"\\");
  EXPECT_TRUE(Entries(Root() / "temp").empty());
}

TEST_F(ProtectedPlace, StandalonePackagesAreReadFromBesideTheProgramButNeverWrittenThere) {
  fs::create_directories(Root() / "Downloads" / "msi");
  std::ofstream(Root() / "Downloads" / "msi" / "Vimzee.msi") << "shipped";
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders, true));
  ASSERT_TRUE(folders.Shipped(WorkFolder::Msi));
  EXPECT_NE(folders.Shipped(WorkFolder::Msi), folders.Folder(WorkFolder::Msi));
  EXPECT_EQ(folders.Shipped(WorkFolder::Component), nullptr);  // none shipped
  EXPECT_TRUE(folders.Shipped(WorkFolder::Msi)->HoldFile(u"Vimzee.msi").file);
  // A shipped folder that is a link is refused at the start.
  fs::create_directories(Root() / "elsewhere");
  fs::create_directory_symlink(Root() / "elsewhere", Root() / "Downloads" / "transform");
  WorkFolders linked;
  EXPECT_FALSE(Prepare(linked, true));
}

TEST_F(ProtectedPlace, BesideTheProgramTheFoldersKeepTheirOldPlaceAndRole) {
  system.SetElevated(false);
  WorkFolders folders;
  ASSERT_TRUE(Prepare(folders));
  EXPECT_FALSE(folders.IsProtected());
  EXPECT_EQ(folders.Path(WorkFolder::Transform), W(Root() / "Downloads" / "transform") + u"\\");
  EXPECT_EQ(folders.Shipped(WorkFolder::Msi), folders.Folder(WorkFolder::Msi));
  EXPECT_TRUE(folders.BringBackKept(WorkFolder::Msi, u"Vimzee.msi"));  // it never left
  folders.Finish();
  EXPECT_EQ(Entries(Root() / "Downloads"),
            (std::vector<std::string>{"component", "msi", "transform"}));
  EXPECT_TRUE(Entries(Root() / "ProgramData").empty());
  // A work folder that is a link is refused at the start.
  fs::remove_all(Root() / "Downloads" / "msi");
  fs::create_directories(Root() / "elsewhere");
  fs::create_directory_symlink(Root() / "elsewhere", Root() / "Downloads" / "msi");
  WorkFolders linked;
  EXPECT_FALSE(Prepare(linked));
}

}  // namespace
}  // namespace vwi
