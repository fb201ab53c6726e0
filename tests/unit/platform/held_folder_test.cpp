// Held folders natively: everything is reached through the folder's own
// descriptor, so a folder renamed and replaced by a link after it was opened,
// or a file replaced by name after it was written, changes nothing for the
// holder.
#include "platform/held_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/folder_trust.h"
#include "platform/posix/posix_held_folder.h"
#include "platform/text.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ReadAll(IHeldFile& file) {
  std::string text;
  char buffer[7];
  for (uint64_t offset = 0;;) {
    const std::optional<size_t> read = file.ReadAt(offset, buffer, sizeof(buffer));
    if (!read || *read == 0) break;
    text.append(buffer, *read);
    offset += *read;
  }
  return text;
}

struct HeldFolders : testing::Test {
  void SetUp() override {
    root = fs::temp_directory_path() / ("vwi-held-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "work");
    fs::create_directories(root / "elsewhere");
    work = OpenPosixHeldFolder(W(root / "work"), false).folder;
    ASSERT_TRUE(work);
  }
  void TearDown() override { fs::remove_all(root); }
  static std::u16string W(const fs::path& path) { return Utf16FromUtf8(path.string()); }
  fs::path root;
  std::unique_ptr<IHeldFolder> work;
};

TEST_F(HeldFolders, AFolderSwappedForALinkAfterItWasOpenedKeepsTakingTheFiles) {
  // Another program renames the folder and puts a link to one of its own in
  // its place: the run's next file still goes into the folder it checked.
  fs::rename(root / "work", root / "renamed");
  fs::create_directory_symlink(root / "elsewhere", root / "work");
  std::unique_ptr<INewFile> file = work->MakeFile(u"Vimzee.msi");
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->WriteAt(0, "package", 7));
  file.reset();
  EXPECT_EQ(Text(root / "renamed" / "Vimzee.msi"), "package");
  EXPECT_FALSE(fs::exists(root / "elsewhere" / "Vimzee.msi"));
  EXPECT_EQ(work->Path(), W(root / "work") + u"\\");
}

TEST_F(HeldFolders, AFileReplacedByNameBetweenItsWriteAndItsHoldIsNeverTheOneHeld) {
  std::unique_ptr<INewFile> file = work->MakeFile(u"a.msi");
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->WriteAt(0, "the package this run fetched", 28));
  std::ofstream(root / "planted") << "a planted package";
  fs::rename(root / "planted", root / "work" / "a.msi");
  std::unique_ptr<IHeldFile> held = file->Hold();
  ASSERT_TRUE(held);
  EXPECT_EQ(ReadAll(*held), "the package this run fetched");
  EXPECT_EQ(held->Size(), 28u);
}

TEST_F(HeldFolders, NewNamesOnlyAndNoLinkIsEverOpened) {
  std::ofstream(root / "elsewhere" / "target.msi") << "elsewhere";
  fs::create_symlink(root / "elsewhere" / "target.msi", root / "work" / "linked.msi");
  fs::create_directory_symlink(root / "elsewhere", root / "work" / "msi");
  EXPECT_FALSE(work->MakeFile(u"linked.msi"));
  EXPECT_FALSE(work->MakeFolder(u"msi"));
  EXPECT_EQ(work->HoldFile(u"linked.msi").refusal, HoldRefusal::Link);
  EXPECT_EQ(work->OpenFolder(u"msi").refusal, HoldRefusal::Link);
  EXPECT_EQ(work->HoldFile(u"none.msi").refusal, HoldRefusal::Missing);
  EXPECT_EQ(work->OpenFolder(u"none").refusal, HoldRefusal::Missing);
  ASSERT_TRUE(work->MakeFolder(u"made"));
  EXPECT_EQ(work->HoldFile(u"made").refusal, HoldRefusal::WrongKind);
  EXPECT_EQ(OpenPosixHeldFolder(W(root / "work" / "msi"), false).refusal, HoldRefusal::Link);
  // A name is one part: nothing climbs out of the folder.
  EXPECT_FALSE(work->MakeFile(u"..\\escape.msi"));
  EXPECT_FALSE(work->MakeFile(u".."));
  EXPECT_FALSE(work->MakeFolder(u"a/b"));
  EXPECT_EQ(work->HoldFile(u"../elsewhere/target.msi").refusal, HoldRefusal::Missing);
  // A link is removed as itself, never what it points at.
  EXPECT_TRUE(work->Remove(u"linked.msi"));
  EXPECT_TRUE(work->Remove(u"msi"));
  EXPECT_EQ(Text(root / "elsewhere" / "target.msi"), "elsewhere");
  EXPECT_TRUE(work->Remove(u"never-was"));
}

TEST_F(HeldFolders, RemovingAFolderTakesEverythingInItButNotWhatItsLinksPointAt) {
  std::unique_ptr<IHeldFolder> run = work->MakeFolder(u"run-1");
  ASSERT_TRUE(run);
  std::unique_ptr<IHeldFolder> msi = run->MakeFolder(u"msi");
  ASSERT_TRUE(msi);
  ASSERT_TRUE(msi->MakeFile(u"a.msi"));
  std::ofstream(root / "elsewhere" / "keep") << "kept";
  fs::create_directory_symlink(root / "elsewhere", root / "work" / "run-1" / "link");
  msi.reset();
  run.reset();
  EXPECT_TRUE(work->Remove(u"run-1"));
  EXPECT_FALSE(fs::exists(root / "work" / "run-1"));
  EXPECT_EQ(Text(root / "elsewhere" / "keep"), "kept");
}

TEST_F(HeldFolders, RenamesNeverReplaceAndMovesReplace) {
  ASSERT_TRUE(work->MakeFile(u"a"));
  ASSERT_TRUE(work->MakeFile(u"b"));
  EXPECT_FALSE(work->Rename(u"a", u"b"));
  EXPECT_TRUE(work->Rename(u"a", u"c"));
  std::vector<std::u16string> names = work->Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"b", u"c"}));
  std::unique_ptr<IHeldFolder> cache = work->MakeFolder(u"cache");
  ASSERT_TRUE(cache);
  std::unique_ptr<INewFile> older = cache->MakeFile(u"b");
  ASSERT_TRUE(older && older->WriteAt(0, "older", 5));
  older.reset();
  EXPECT_TRUE(work->MoveInto(u"b", *cache));
  EXPECT_EQ(Text(root / "work" / "cache" / "b"), "");
  EXPECT_FALSE(fs::exists(root / "work" / "b"));
}

TEST_F(HeldFolders, AWriterTruncatesAndFlushes) {
  std::unique_ptr<INewFile> file = work->MakeFile(u"f");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->WriteAt(4, "tail", 4));
  EXPECT_TRUE(file->WriteAt(0, "head", 4));
  EXPECT_TRUE(file->Flush());
  EXPECT_TRUE(file->Truncate(6));
  file.reset();
  EXPECT_EQ(Text(root / "work" / "f"), "headta");
}

TEST(FolderTrust, OnlyTheSystemAndTheAdministratorsMayOwnOrChangeAFoundFolder) {
  const FolderFacts trusted{false,
                            true,
                            Trustee::Administrators,
                            false,
                            {{Trustee::System, true, 0x1F01FF, true},
                             {Trustee::Administrators, true, 0x1F01FF, true},
                             {Trustee::Other, true, 0x1200A9, false}}};
  EXPECT_EQ(JudgeFolder(trusted, true), FolderTrust::Trusted);
  FolderFacts installer = trusted;
  installer.owner = Trustee::Installer;
  EXPECT_EQ(JudgeFolder(installer, true), FolderTrust::Trusted);

  FolderFacts facts = trusted;
  facts.owner = Trustee::Other;  // created by the user before the installer ran
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::UntrustedOwner);
  facts = trusted;
  facts.access.push_back({Trustee::Other, true, 0x2, true});  // users may add files
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::OthersMayChange);
  facts = trusted;
  facts.access.push_back({Trustee::Other, false, 0x1F01FF, true});  // a deny entry takes nothing
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::Trusted);
  facts = trusted;
  facts.noAccessList = true;
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::OthersMayChange);
  facts = trusted;
  facts.owner.reset();
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::Unreadable);
  facts = trusted;
  facts.isLink = true;
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::Link);
  EXPECT_EQ(JudgeFolder(facts, false), FolderTrust::Link);
  facts = trusted;
  facts.isFolder = false;
  EXPECT_EQ(JudgeFolder(facts, true), FolderTrust::NotAFolder);
  // Where descriptors are not kept they prove nothing either way.
  facts = trusted;
  facts.owner = Trustee::Other;
  EXPECT_EQ(JudgeFolder(facts, false), FolderTrust::Trusted);
  EXPECT_TRUE(KeepsDescriptors(trusted));
  EXPECT_FALSE(KeepsDescriptors(facts));
}

}  // namespace
}  // namespace vwi
