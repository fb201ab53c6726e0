// The platform's SHA-256 (BCrypt) over bytes and held files, and the
// free-space query, under Wine.
#include "download/payload_files.h"

#include <gtest/gtest.h>

#include <string>

#include "download/free_space.h"
#include "download/payload_check.h"
#include "platform/win/wide.h"
#include "platform/win/win_held_folder.h"
#include "unit/download/sha256_vectors.h"
#include "win/download/test_servers.h"

namespace vwi {
namespace {

TEST(Bcrypt, KnownVectors) {
  for (const test::Sha256Vector& v : test::Sha256Vectors()) {
    EXPECT_EQ(test::Sha256HexOf(v.message), v.digest) << v.message.size() << " bytes";
  }
}

TEST(PayloadFiles, TheDigestOfAHeldFileIsReadThroughItsHoldFromTheStart) {
  test::TempFolder folder;
  std::unique_ptr<IHeldFolder> held = OpenHeldFolder(FromWide(folder.path()), false).folder;
  ASSERT_TRUE(held);
  // More than one 64 KiB read, not a multiple of it.
  const std::vector<uint8_t> bytes = test::Pattern(200000);
  std::unique_ptr<INewFile> file = held->MakeFile(u"big file.bin");
  ASSERT_TRUE(file && file->WriteAt(0, bytes.data(), bytes.size()));
  std::unique_ptr<IHeldFile> hold = file->Hold();
  ASSERT_TRUE(hold);
  EXPECT_EQ(Sha256OfFile(*hold), Sha256OfBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(Sha256OfFile(*hold), Sha256OfBytes(bytes.data(), bytes.size()));
  // The check removes what it refuses, once it has let it go.
  EXPECT_EQ(VerifyPayload(std::u16string(64, u'0'), {std::move(hold), HoldRefusal::None}, *held,
                          u"big file.bin"),
            PayloadVerdict::Mismatched);
  EXPECT_TRUE(folder.Files().empty());
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
