#include "platform/paths.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(Paths, FolderAndFileName) {
  EXPECT_EQ(FolderOf(u"C:\\w\\component\\123vc.exe"), u"C:\\w\\component\\");
  EXPECT_EQ(FolderOf(u"vc.exe"), u"");
  EXPECT_EQ(FileNameOf(u"C:\\Logs\\setup.log"), u"setup.log");
  EXPECT_EQ(FileNameOf(u"/tmp/setup.log"), u"setup.log");
  EXPECT_EQ(FileNameOf(u"setup.log"), u"setup.log");
  EXPECT_EQ(FileNameOf(u"C:\\Logs\\"), u"");
}

TEST(Paths, JoinAndParent) {
  EXPECT_EQ(JoinPath(u"C:\\Program Files\\Orvanta\\", u"Vimzee.exe"),
            u"C:\\Program Files\\Orvanta\\Vimzee.exe");
  EXPECT_EQ(JoinPath(u"C:\\Program Files\\Orvanta", u"Vimzee.exe"),
            u"C:\\Program Files\\Orvanta\\Vimzee.exe");
  EXPECT_EQ(JoinPath(u"", u"Vimzee.exe"), u"\\Vimzee.exe");
  EXPECT_EQ(ParentFolder(u"C:\\a\\b"), u"C:\\a");
  EXPECT_EQ(ParentFolder(u"C:\\a"), u"C:\\");
  EXPECT_EQ(ParentFolder(u"C:\\"), u"");
  EXPECT_EQ(ParentFolder(u"C:"), u"");
}

TEST(Paths, OneTrailingBackslashIsRemoved) {
  EXPECT_EQ(WithoutTrailingBackslash(u"C:\\Program Files\\Product\\"),
            u"C:\\Program Files\\Product");
  EXPECT_EQ(WithoutTrailingBackslash(u"C:\\Product\\\\"), u"C:\\Product\\");
  EXPECT_EQ(WithoutTrailingBackslash(u"C:\\"), u"C:");
  EXPECT_EQ(WithoutTrailingBackslash(u""), u"");
}

TEST(Paths, RelativePaths) {
  EXPECT_TRUE(IsRelativePath(u"Program Files\\Product"));
  EXPECT_TRUE(IsRelativePath(u""));
  EXPECT_FALSE(IsRelativePath(u"C:\\Product"));
  EXPECT_FALSE(IsRelativePath(u"C:"));
  EXPECT_FALSE(IsRelativePath(u"\\\\server\\share"));
  EXPECT_FALSE(IsRelativePath(u"\\Product"));
}

TEST(Paths, FolderChainFromTheRootDown) {
  EXPECT_EQ(FolderChain(u"\\\\server\\share\\new"),
            (std::vector<std::u16string>{u"\\\\server\\share", u"\\\\server\\share\\new"}));
  EXPECT_EQ(FolderChain(u"C:\\a\\b"), (std::vector<std::u16string>{u"C:\\a", u"C:\\a\\b"}));
  EXPECT_EQ(FolderChain(u"\\a\\b"), (std::vector<std::u16string>{u"\\a", u"\\a\\b"}));
  EXPECT_EQ(FolderChain(u"C:"), (std::vector<std::u16string>{}));
  // Empty parts (doubled backslashes) are skipped.
  EXPECT_EQ(FolderChain(u"C:\\a\\\\b\\"), (std::vector<std::u16string>{u"C:\\a", u"C:\\a\\b"}));
}

}  // namespace
}  // namespace vwi
