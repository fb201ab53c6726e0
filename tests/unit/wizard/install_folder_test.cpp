#include "wizard/install_folder.h"

#include <set>

#include <gtest/gtest.h>

#include "platform/posix/posix_system_services.h"

namespace vwi {
namespace {

// Folders in memory; records what was created, in order.
class FakeFolders : public PosixSystemServices {
 public:
  FakeFolders() : PosixSystemServices(std::nullopt, u"") {}
  std::set<std::u16string> existing;
  std::set<std::u16string> files;
  std::set<std::u16string> refused;
  std::vector<std::u16string> created;
  std::vector<std::u16string> examined;

  bool IsFolder(const std::u16string& path) override { return existing.count(path) != 0; }
  bool PathExists(const std::u16string& path) override {
    examined.push_back(path);
    return existing.count(path) != 0 || files.count(path) != 0;
  }
  bool CreateFolder(const std::u16string& path) override {
    if (refused.count(path)) return false;
    created.push_back(path);
    existing.insert(path);
    return true;
  }
};

TEST(InstallFolder, MissingFoldersAreCreatedInTurn) {
  FakeFolders folders;
  folders.existing = {u"\\\\server\\share"};
  const FolderValidation validation =
      ValidateInstallFolder(u"\\\\server\\share\\new\\", true, folders);
  EXPECT_EQ(validation.result, FolderCheck::kAccepted);
  EXPECT_EQ(validation.path, u"\\\\server\\share\\new");
  EXPECT_EQ(folders.examined,
            (std::vector<std::u16string>{u"\\\\server\\share", u"\\\\server\\share\\new"}));
  EXPECT_EQ(folders.created, (std::vector<std::u16string>{u"\\\\server\\share\\new"}));
}

TEST(InstallFolder, ExistingFolderCreatesNothing) {
  FakeFolders folders;
  folders.existing = {u"C:\\Program Files\\Orvanta"};
  const FolderValidation validation =
      ValidateInstallFolder(u"C:\\Program Files\\Orvanta", true, folders);
  EXPECT_EQ(validation.result, FolderCheck::kAccepted);
  EXPECT_TRUE(folders.examined.empty());
}

TEST(InstallFolder, DriveRootIsStoredWithoutABackslash) {
  FakeFolders folders;
  folders.existing = {u"C:"};
  const FolderValidation validation = ValidateInstallFolder(u"C:\\", true, folders);
  EXPECT_EQ(validation.result, FolderCheck::kAccepted);
  EXPECT_EQ(validation.path, u"C:");
  EXPECT_TRUE(folders.created.empty());
}

TEST(InstallFolder, FailuresAreReportedWithTheTypedPath) {
  FakeFolders folders;
  EXPECT_EQ(ValidateInstallFolder(u"Program Files\\Product", true, folders).result,
            FolderCheck::kUnavailable);
  EXPECT_EQ(ValidateInstallFolder(u"Program Files\\Product", true, folders).path,
            u"Program Files\\Product");
  folders.refused = {u"D:\\locked"};
  EXPECT_EQ(ValidateInstallFolder(u"D:\\locked\\deeper", true, folders).result,
            FolderCheck::kUnavailable);
  EXPECT_TRUE(folders.created.empty());
  // A file where a folder should be cannot be made into one.
  folders.files = {u"E:\\file"};
  folders.refused.insert(u"E:\\file\\sub");
  EXPECT_EQ(ValidateInstallFolder(u"E:\\file\\sub", true, folders).result,
            FolderCheck::kUnavailable);
}

TEST(InstallFolder, AFileOrAServerAloneIsNoInstallationFolder) {
  FakeFolders folders;
  folders.existing = {u"C:", u"C:\\Windows"};
  folders.files = {u"C:\\Windows\\notepad.exe"};
  EXPECT_EQ(ValidateInstallFolder(u"C:\\Windows\\notepad.exe", true, folders).result,
            FolderCheck::kUnavailable);
  EXPECT_EQ(ValidateInstallFolder(u"C:\\Windows\\notepad.exe\\Vimzee", true, folders).result,
            FolderCheck::kUnavailable);
  EXPECT_EQ(ValidateInstallFolder(u"\\\\server", true, folders).result, FolderCheck::kUnavailable);
  EXPECT_EQ(ValidateInstallFolder(u"\\\\server\\", true, folders).result,
            FolderCheck::kUnavailable);
  EXPECT_TRUE(folders.created.empty());
}

TEST(InstallFolder, TooLongPathIsRejectedBeforeAnythingIsCreated) {
  FakeFolders folders;
  const std::u16string longest = u"C:\\" + std::u16string(kMaxInstallFolderLength - 3, u'a');
  EXPECT_EQ(ValidateInstallFolder(longest, true, folders).result, FolderCheck::kAccepted);
  folders.created.clear();
  EXPECT_EQ(ValidateInstallFolder(longest + u"b", true, folders).result, FolderCheck::kUnavailable);
  EXPECT_TRUE(folders.created.empty());
}

TEST(InstallFolder, NothingHappensWithoutTheLicence) {
  FakeFolders folders;
  EXPECT_EQ(ValidateInstallFolder(u"C:\\new", false, folders).result, FolderCheck::kNotAccepted);
  EXPECT_TRUE(folders.examined.empty());
}

TEST(InstallFolder, BrowsingStartsAtTheDeepestExistingFolder) {
  FakeFolders folders;
  folders.existing = {u"D:", u"D:\\", u"C:\\Program Files"};
  EXPECT_EQ(BrowseStartFolder(u"D:\\missing\\deeper", folders), u"D:");
  EXPECT_EQ(BrowseStartFolder(u"C:\\Program Files\\Vimzee\\", folders), u"C:\\Program Files");
  // The backslash after a drive stays: "D:\" is the drive's root.
  EXPECT_EQ(BrowseStartFolder(u"D:\\", folders), u"D:\\");
  // Nothing exists: the path is cut until no backslash is left.
  EXPECT_EQ(BrowseStartFolder(u"Q:\\a\\b", folders), u"Q:");
  EXPECT_EQ(BrowseStartFolder(u"nowhere", folders), u"nowhere");
}

TEST(InstallFolder, SilentRunsPrepareTheDefaultFolder) {
  FakeFolders folders;
  folders.existing = {u"C:\\Program Files"};
  EXPECT_TRUE(PrepareInstallFolder(u"C:\\Program Files\\Orvanta\\", folders));
  EXPECT_EQ(folders.created, (std::vector<std::u16string>{u"C:\\Program Files\\Orvanta"}));
  EXPECT_FALSE(PrepareInstallFolder(u"Orvanta", folders));
  folders.refused = {u"D:\\locked"};
  EXPECT_FALSE(PrepareInstallFolder(u"D:\\locked\\Orvanta", folders));
}

TEST(InstallFolder, ProgramPath) {
  EXPECT_EQ(ProductProgramPath(u"C:\\Orvanta\\", u"Vimzee.exe"), u"C:\\Orvanta\\Vimzee.exe");
  EXPECT_EQ(ProductProgramPath(u"C:\\Orvanta", u"Vimzee.exe"), u"C:\\Orvanta\\Vimzee.exe");
}

}  // namespace
}  // namespace vwi
