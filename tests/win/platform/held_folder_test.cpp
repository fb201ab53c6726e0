// Held folders and files under Wine: what the handles keep other programs
// from doing, and that everything reaches its folder through the handle.
#include "platform/win/win_held_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"

namespace vwi {
namespace {

// A folder of its own in the temporary folder, removed with everything in it.
struct Scratch {
  Scratch() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path = std::wstring(base) + L"vwi_held_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(counter++);
    CreateDirectoryW(path.c_str(), nullptr);
    folder = OpenHeldFolder(FromWide(path), false).folder;
  }
  ~Scratch() {
    folder.reset();
    const size_t cut = path.rfind(L'\\');
    if (auto parent = OpenHeldFolder(FromWide(path.substr(0, cut)), false).folder) {
      parent->Remove(FromWide(path.substr(cut + 1)));
    }
  }
  std::wstring File(const std::wstring& name) const { return path + L"\\" + name; }
  std::wstring path;
  std::unique_ptr<IHeldFolder> folder;
  static inline int counter = 0;
};

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD TryToWrite(const std::wstring& path) {
  HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (writer != INVALID_HANDLE_VALUE) {
    CloseHandle(writer);
    return 0;
  }
  return GetLastError();
}

std::string ReadAll(IHeldFile& file) {
  std::string text(64, '\0');
  const std::optional<size_t> read = file.ReadAt(0, text.data(), text.size());
  text.resize(read.value_or(0));
  return text;
}

TEST(HeldFolders, ANewFileIsHeldFromTheEndOfItsWritingWithoutAGap) {
  Scratch scratch;
  ASSERT_TRUE(scratch.folder);
  std::unique_ptr<INewFile> file = scratch.folder->MakeFile(u"Vimzee.msi");
  ASSERT_TRUE(file);
  // While it is written nobody else can open it for writing, or take it away.
  EXPECT_EQ(TryToWrite(scratch.File(L"Vimzee.msi")), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  ASSERT_TRUE(file->WriteAt(0, "package", 7));
  ASSERT_TRUE(file->Flush());
  std::unique_ptr<IHeldFile> held = file->Hold();
  ASSERT_TRUE(held);
  EXPECT_EQ(ReadAll(*held), "package");
  EXPECT_EQ(held->Size(), 7u);
  EXPECT_EQ(TryToWrite(scratch.File(L"Vimzee.msi")), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(DeleteFileW(scratch.File(L"Vimzee.msi").c_str()));
  EXPECT_FALSE(MoveFileW(scratch.File(L"Vimzee.msi").c_str(), scratch.File(L"moved.msi").c_str()));
  // What installs it only reads it, sharing reading: that still works.
  HANDLE reader = CreateFileW(scratch.File(L"Vimzee.msi").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  held.reset();
  EXPECT_EQ(TryToWrite(scratch.File(L"Vimzee.msi")), 0u);
}

TEST(HeldFolders, NamesAreMadeNewAndExistingFilesHeldOnlyWhenNobodyWritesThem) {
  Scratch scratch;
  ASSERT_TRUE(scratch.folder->MakeFile(u"a.msi"));
  EXPECT_FALSE(scratch.folder->MakeFile(u"a.msi"));  // it exists now
  EXPECT_FALSE(scratch.folder->MakeFile(u"..\\escape.msi"));
  EXPECT_FALSE(scratch.folder->MakeFolder(u"a\\b"));
  EXPECT_EQ(scratch.folder->HoldFile(u"none.msi").refusal, HoldRefusal::Missing);
  ASSERT_TRUE(scratch.folder->MakeFolder(u"msi"));
  EXPECT_EQ(scratch.folder->HoldFile(u"msi").refusal, HoldRefusal::WrongKind);
  EXPECT_EQ(scratch.folder->OpenFolder(u"a.msi").refusal, HoldRefusal::WrongKind);
  HANDLE other =
      CreateFileW(scratch.File(L"a.msi").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(scratch.folder->HoldFile(u"a.msi").refusal, HoldRefusal::Busy);
  CloseHandle(other);
  FileHold hold = scratch.folder->HoldFile(u"a.msi");
  ASSERT_TRUE(hold.file);
  EXPECT_EQ(hold.file->Size(), 0u);
}

TEST(HeldFolders, AHeldFolderCannotBeRenamedOrRemovedAndWorksThroughItsHandle) {
  Scratch scratch;
  std::unique_ptr<IHeldFolder> run = scratch.folder->MakeFolder(u"run-1");
  ASSERT_TRUE(run);
  EXPECT_EQ(run->Path(), FromWide(scratch.File(L"run-1")) + u"\\");
  EXPECT_FALSE(MoveFileW(scratch.File(L"run-1").c_str(), scratch.File(L"renamed").c_str()));
  EXPECT_FALSE(RemoveDirectoryW(scratch.File(L"run-1").c_str()));
  EXPECT_FALSE(scratch.folder->Rename(u"run-1", u"renamed"));
  std::unique_ptr<IHeldFolder> msi = run->MakeFolder(u"msi");
  ASSERT_TRUE(msi);
  std::unique_ptr<INewFile> file = msi->MakeFile(u"Vimzee.msi");
  ASSERT_TRUE(file && file->WriteAt(0, "x", 1));
  file.reset();
  EXPECT_TRUE(Exists(scratch.File(L"run-1\\msi\\Vimzee.msi")));
  std::vector<std::u16string> names = run->Names();
  EXPECT_EQ(names, std::vector<std::u16string>{u"msi"});
  // Once let go, the whole run goes at once.
  msi.reset();
  run.reset();
  EXPECT_TRUE(scratch.folder->Remove(u"run-1"));
  EXPECT_FALSE(Exists(scratch.File(L"run-1")));
}

TEST(HeldFolders, RenamesWithinAndMovesBetweenHeldFolders) {
  Scratch scratch;
  std::unique_ptr<IHeldFolder> cache = scratch.folder->MakeFolder(u"cache");
  ASSERT_TRUE(cache && scratch.folder->MakeFile(u"a") && scratch.folder->MakeFile(u"b"));
  ASSERT_TRUE(cache->MakeFile(u"b"));
  EXPECT_FALSE(scratch.folder->Rename(u"a", u"b"));
  EXPECT_TRUE(scratch.folder->Rename(u"a", u"c"));
  EXPECT_TRUE(scratch.folder->MoveInto(u"b", *cache));  // replacing the older one
  std::vector<std::u16string> names = scratch.folder->Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"c", u"cache"}));
  EXPECT_EQ(cache->Names(), std::vector<std::u16string>{u"b"});
}

TEST(HeldFolders, TheProtectedDescriptorIsSetButWineReportsItsOwn) {
  // Wine keeps no security descriptors: what comes back is made from the
  // Unix permissions, owned by the user. The folders' own check learns from
  // this that descriptors tell nothing here (docs/windows-checks.md).
  Scratch scratch;
  const size_t cut = scratch.path.rfind(L'\\');
  auto parent = OpenHeldFolder(FromWide(scratch.path.substr(0, cut)), true).folder;
  ASSERT_TRUE(parent);
  const std::u16string name = FromWide(scratch.path.substr(cut + 1)) + u"-protected";
  std::unique_ptr<IHeldFolder> made = parent->MakeFolder(name);
  ASSERT_TRUE(made);
  const FolderFacts facts = made->Facts();
  EXPECT_TRUE(facts.isFolder);
  EXPECT_FALSE(facts.isLink);
  ASSERT_TRUE(facts.owner);
  EXPECT_EQ(*facts.owner, Trustee::Other);
  made.reset();
  EXPECT_TRUE(parent->Remove(name));
}

TEST(SystemServices, ProgramDataIsTheKnownFolder) {
  WinSystemServices system;
  EXPECT_EQ(system.ProgramDataFolder(), u"C:\\ProgramData");
  EXPECT_TRUE(system.IsElevated());  // every process is, under Wine
  EXPECT_EQ(system.OpenFolder(u"C:\\no such folder").refusal, HoldRefusal::Missing);
  EXPECT_EQ(system.OpenFolder(u"C:\\windows\\win.ini").refusal, HoldRefusal::WrongKind);
  EXPECT_TRUE(system.OpenFolder(u"C:\\windows").folder);
}

}  // namespace
}  // namespace vwi
