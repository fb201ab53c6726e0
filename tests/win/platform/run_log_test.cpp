#include "platform/run_log.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "platform/win/wide.h"

namespace vwi {
namespace {

std::u16string TempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return FromWide(folder);
}

std::string ReadFile(const std::u16string& path) {
  std::ifstream in(ToWide(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The log's lines without their 24-character timestamps.
std::string WithoutTimes(const std::string& log) {
  std::string out;
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    out += log.substr(start + 24, end + 1 - start - 24);
    start = end + 1;
  }
  return out;
}

TEST(RunLog, EntriesAreAppendedAsTimestampedUtf8Lines) {
  const std::u16string path = TempFolder() + u"vwi-run-log-test.log";
  DeleteFileW(Wide(path));
  ASSERT_EQ(OpenRunLog(path, TempFolder()), path);
  LogLine(u"Item Sprachpaket Deutsch (1031): installed, Größe 3 MB");
  CloseRunLog();
  const std::string log = ReadFile(path);
  ASSERT_GT(log.size(), 24u);
  // "YYYY-MM-DD hh:mm:ss.mmm "
  EXPECT_EQ(log[4], '-');
  EXPECT_EQ(log[10], ' ');
  EXPECT_EQ(log[13], ':');
  EXPECT_EQ(log[19], '.');
  EXPECT_EQ(WithoutTimes(log),
            "Item Sprachpaket Deutsch (1031): installed, Gr\xC3\xB6\xC3\x9F"
            "e 3 MB\r\n");
  DeleteFileW(Wide(path));
}

TEST(RunLog, AnUnwritablePathGoesToTheTemporaryFolder) {
  const std::u16string fallback = TempFolder() + u"vwi-run-log-fallback.log";
  DeleteFileW(Wide(fallback));
  const std::u16string wanted = u"Q:\\no\\such\\folder\\vwi-run-log-fallback.log";
  EXPECT_EQ(OpenRunLog(wanted, TempFolder()), fallback);
  LogLine(u"Exit code 0");
  CloseRunLog();
  EXPECT_EQ(WithoutTimes(ReadFile(fallback)),
            "The log cannot be written to \"Q:\\no\\such\\folder\\vwi-run-log-fallback.log\"; it "
            "is written to \"" +
                std::string(fallback.begin(), fallback.end()) + "\" instead.\r\nExit code 0\r\n");
  DeleteFileW(Wide(fallback));
}

TEST(RunLog, ALogNamePlantedAsALinkToAnotherFileIsNotWrittenThrough) {
  const std::u16string folder = TempFolder() + u"vwi-run-log-link\\";
  CreateDirectoryW(Wide(folder), nullptr);
  const std::u16string target = folder + u"system.ini";
  const std::u16string planted = folder + u"setup.log";
  const std::u16string fallback = TempFolder() + u"setup.log";
  for (const auto& path : {target, planted, fallback}) DeleteFileW(Wide(path));
  std::ofstream(ToWide(target).c_str(), std::ios::binary) << "[keep]\r\n";
  ASSERT_TRUE(CreateHardLinkW(Wide(planted), Wide(target), nullptr));

  EXPECT_EQ(OpenRunLog(planted, TempFolder()), fallback);
  LogLine(u"Exit code 0");
  CloseRunLog();
  EXPECT_EQ(ReadFile(target), "[keep]\r\n");
  for (const auto& path : {target, planted, fallback}) DeleteFileW(Wide(path));
  RemoveDirectoryW(Wide(folder));
}

}  // namespace
}  // namespace vwi
