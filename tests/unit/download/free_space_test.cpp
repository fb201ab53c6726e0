#include "download/free_space.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "download/download_checks.h"

namespace vwi {
namespace {

constexpr uint64_t kMiB = 1024 * 1024;

// Volumes by folder; a folder it does not know "does not exist".
struct Volumes : IFreeSpace {
  std::map<std::u16string, uint64_t> free;
  std::vector<std::u16string> asked;
  std::optional<uint64_t> FreeBytes(const std::u16string& folder) override {
    asked.push_back(folder);
    auto it = free.find(folder);
    if (it == free.end()) return std::nullopt;
    return it->second;
  }
};

TEST(FreeSpace, SizePlusTheMarginMustFit) {
  Volumes volumes;
  volumes.free[u"C:\\w\\msi"] = 100 * kMiB;
  EXPECT_EQ(CheckFreeSpace(volumes, u"C:\\w\\msi\\", 90 * kMiB), std::nullopt);  // exactly fits
  const auto short1 = CheckFreeSpace(volumes, u"C:\\w\\msi\\", 90 * kMiB + 1);
  ASSERT_TRUE(short1);
  EXPECT_EQ(short1->megabytesNeeded, 101u);  // rounded up
  EXPECT_EQ(short1->freeBytes, 100 * kMiB);
  EXPECT_EQ(short1->folder, u"C:\\w\\msi");
  // Less free than the file itself (no wrap in the subtraction).
  volumes.free[u"C:\\w\\msi"] = 5;
  ASSERT_TRUE(CheckFreeSpace(volumes, u"C:\\w\\msi", 6));
  EXPECT_EQ(CheckFreeSpace(volumes, u"C:\\w\\msi", 6)->megabytesNeeded, 11u);
}

TEST(FreeSpace, MissingFoldersAreJudgedByTheirNearestParent) {
  Volumes volumes;
  volumes.free[u"C:\\"] = 20 * kMiB;
  const auto shortage = CheckFreeSpace(volumes, u"C:\\Program Files\\Orvanta\\", 15 * kMiB);
  ASSERT_TRUE(shortage);
  EXPECT_EQ(shortage->folder, u"C:\\");
  EXPECT_EQ(volumes.asked, (std::vector<std::u16string>{u"C:\\Program Files\\Orvanta",
                                                        u"C:\\Program Files", u"C:\\"}));
  // Nothing learnt at all: the run goes on.
  Volumes unknown;
  EXPECT_EQ(CheckFreeSpace(unknown, u"C:\\Program Files\\Orvanta", UINT64_MAX), std::nullopt);
  EXPECT_EQ(CheckFreeSpace(unknown, u"", 1), std::nullopt);
  EXPECT_TRUE(unknown.asked.size() == 3u);
}

TEST(FreeSpace, MegabytesAndFolders) {
  EXPECT_EQ(MegabytesNeeded(0), 10u);
  EXPECT_EQ(MegabytesNeeded(1), 11u);
  EXPECT_EQ(MegabytesNeeded(kMiB), 11u);
  EXPECT_EQ(MegabytesNeeded(UINT64_MAX), UINT64_MAX / kMiB + 1);
}

TEST(FreeSpace, ShortageIsToldOnce) {
  Volumes volumes;
  volumes.free[u"C:\\w"] = 12 * kMiB;
  std::vector<uint64_t> told;
  DownloadChecks checks;
  checks.freeSpace = &volumes;
  checks.onOutOfDisk = [&](uint64_t megabytes) { told.push_back(megabytes); };
  EXPECT_TRUE(EnsureFreeSpace(checks, u"C:\\w\\", 2 * kMiB));
  EXPECT_FALSE(EnsureFreeSpace(checks, u"C:\\w\\", 3 * kMiB));
  EXPECT_EQ(told, (std::vector<uint64_t>{13}));
}

}  // namespace
}  // namespace vwi
