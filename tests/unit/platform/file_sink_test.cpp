#include "platform/byte_sink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text.h"

namespace vwi {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FileSink, ReplacesTheFileWithWhatWasWritten) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "vwi-file-sink-test.bin";
  std::ofstream(path) << "an older and longer content";
  {
    FileSink sink(Utf16FromUtf8(path.string()));
    ASSERT_TRUE(sink.IsOpen());
    EXPECT_TRUE(sink.Write("new ", 4));
    EXPECT_TRUE(sink.Write("bytes\0!", 7));
    EXPECT_TRUE(sink.Close());
    EXPECT_FALSE(sink.Close());  // once only
    EXPECT_FALSE(sink.Write("x", 1));
  }
  EXPECT_EQ(FileText(path), std::string("new bytes\0!", 11));
  EXPECT_TRUE(RemoveFile(Utf16FromUtf8(path.string())));
  EXPECT_FALSE(RemoveFile(Utf16FromUtf8(path.string())));
}

TEST(FileSink, ARestartKeepsOnlyWhatIsWrittenAfterIt) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "vwi-file-sink-restart.bin";
  {
    FileSink sink(Utf16FromUtf8(path.string()));
    EXPECT_TRUE(sink.Write("a first, longer try", 19));
    EXPECT_TRUE(sink.Restart());
    EXPECT_TRUE(sink.Write("again", 5));
    EXPECT_TRUE(sink.Close());
    EXPECT_FALSE(sink.Restart());  // closed
  }
  EXPECT_EQ(FileText(path), "again");
  RemoveFile(Utf16FromUtf8(path.string()));
  StringSink memory;
  memory.Write("abc", 3);
  EXPECT_TRUE(memory.Restart());
  EXPECT_EQ(memory.text, "");
}

TEST(FileSink, AFileThatCannotBeMadeTakesNothing) {
  FileSink sink(u"/no-such-folder-for-vwi/file.bin");
  EXPECT_FALSE(sink.IsOpen());
  EXPECT_FALSE(sink.Write("x", 1));
  EXPECT_FALSE(sink.Restart());
  EXPECT_FALSE(sink.Close());
  StringSink memory;
  EXPECT_TRUE(memory.Write("ab", 2) && memory.Write("c", 1));
  EXPECT_EQ(memory.text, "abc");
}

}  // namespace
}  // namespace vwi
