// The platform's SHA-256 (BCrypt), file sizes and removal, and the free-space
// query, under Wine.
#include "download/payload_files.h"

#include <gtest/gtest.h>

#include <string>

#include "download/free_space.h"
#include "platform/win/wide.h"
#include "win/download/test_servers.h"

namespace vwi {
namespace {

std::u16string HexOf(const std::string& bytes) {
  const std::optional<Sha256Digest> digest =
      Sha256OfBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return digest ? Sha256Hex(*digest) : u"<failed>";
}

TEST(Bcrypt, KnownVectors) {
  EXPECT_EQ(HexOf(""), u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(HexOf("abc"), u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(HexOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            u"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(HexOf(std::string(1000000, 'a')),
            u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(PayloadFiles, DigestSizeAndRemovalOfARealFile) {
  test::TempFolder folder;
  const std::wstring path = folder.File(L"big file.bin");
  // More than one 64 KiB read, not a multiple of it.
  const std::vector<uint8_t> bytes = test::Pattern(200000);
  {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  IPayloadFiles& files = SystemPayloadFiles();
  const std::u16string p = FromWide(path);
  {
    PayloadHold hold = files.Hold(p);
    ASSERT_TRUE(hold.payload);
    EXPECT_EQ(hold.payload->Sha256(), Sha256OfBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(hold.payload->Sha256(),
              Sha256OfBytes(bytes.data(), bytes.size()));  // from the start again
  }
  EXPECT_EQ(files.FileSize(p), 200000u);
  EXPECT_TRUE(files.RemoveFile(p));
  EXPECT_EQ(files.Hold(p).refusal, HoldRefusal::Missing);
  EXPECT_EQ(files.FileSize(p), std::nullopt);
  EXPECT_EQ(files.FileSize(folder.Folder16()), std::nullopt);  // a folder is no payload
  EXPECT_FALSE(files.Hold(folder.Folder16()).payload);
  EXPECT_FALSE(files.IsLink(folder.Folder16()));
  EXPECT_TRUE(files.RemoveFile(p));  // gone already
}

TEST(PayloadFiles, AHeldPackageCannotBeChangedReplacedRenamedOrDeleted) {
  test::TempFolder folder;
  const std::wstring path = folder.File(L"Vimzee.msi");
  {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  IPayloadFiles& files = SystemPayloadFiles();
  PayloadHold hold = files.Hold(FromWide(path));
  ASSERT_TRUE(hold.payload);
  HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(DeleteFileW(path.c_str()));
  const std::wstring moved = folder.File(L"moved.msi");
  EXPECT_FALSE(MoveFileW(path.c_str(), moved.c_str()));
  EXPECT_FALSE(
      MoveFileExW(folder.File(L"other.msi").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
  // What installs it only reads it, sharing reading: that still works.
  HANDLE reader =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  // A file someone else holds open for writing cannot be held.
  hold.payload.reset();
  HANDLE other = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(files.Hold(FromWide(path)).refusal, HoldRefusal::Busy);
  CloseHandle(other);
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(FreeSpace, RealVolumesAndMissingFolders) {
  IFreeSpace& space = SystemFreeSpace();
  const std::optional<uint64_t> root = space.FreeBytes(u"C:\\");
  ASSERT_TRUE(root);
  EXPECT_GT(*root, 0u);
  EXPECT_TRUE(space.FreeBytes(u"C:\\windows"));
  EXPECT_EQ(space.FreeBytes(u"C:\\no such folder\\deeper"), std::nullopt);
  // A missing folder is judged by its volume through its parents.
  EXPECT_EQ(CheckFreeSpace(space, u"C:\\no such folder\\deeper\\", 1), std::nullopt);
  const auto shortage = CheckFreeSpace(space, u"C:\\no such folder\\deeper\\", *root);
  ASSERT_TRUE(shortage);
  EXPECT_EQ(shortage->folder, u"C:\\");
}

}  // namespace
}  // namespace vwi
