#include "platform/byte_sink.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/posix/posix_held_folder.h"
#include "platform/text.h"

namespace vwi {
namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Sinks : testing::Test {
  void SetUp() override {
    root = fs::temp_directory_path() / ("vwi-sink-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    folder = OpenPosixHeldFolder(Utf16FromUtf8(root.string()), false).folder;
    ASSERT_TRUE(folder);
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
  std::unique_ptr<IHeldFolder> folder;
};

TEST_F(Sinks, ANewFileHoldsWhatWasWrittenAndARestartOnlyWhatCameAfter) {
  std::unique_ptr<INewFile> file = folder->MakeFile(u"updater.exe");
  ASSERT_TRUE(file);
  NewFileSink sink(*file);
  EXPECT_TRUE(sink.Write("a first, longer try", 19));
  EXPECT_TRUE(sink.Restart());
  EXPECT_TRUE(sink.Write("new ", 4));
  EXPECT_TRUE(sink.Write("bytes\0!", 7));
  file.reset();
  EXPECT_EQ(FileText(root / "updater.exe"), std::string("new bytes\0!", 11));
}

TEST(MemorySinks, ALimitedSinkRefusesTheFirstWriteBeyondItsLimit) {
  StringSink sink(8);
  EXPECT_TRUE(sink.Write("12345", 5));
  EXPECT_TRUE(sink.Write("678", 3));
  EXPECT_FALSE(sink.Write("9", 1));
  EXPECT_EQ(sink.text, "12345678");
  EXPECT_TRUE(sink.Restart());
  EXPECT_EQ(sink.text, "");
  StringSink memory;
  memory.Write("abc", 3);
  EXPECT_TRUE(memory.Restart());
  EXPECT_EQ(memory.text, "");
}

}  // namespace
}  // namespace vwi
