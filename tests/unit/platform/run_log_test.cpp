#include "platform/run_log.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/diagnostics.h"
#include "platform/text.h"

namespace vwi {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Drops the timestamps ("YYYY-MM-DD hh:mm:ss.mmm ") of every line.
std::string WithoutTimes(const std::string& log) {
  std::string out;
  std::istringstream lines(log);
  std::string line;
  while (std::getline(lines, line)) out += line.substr(line.size() < 24 ? 0 : 24) + "\n";
  return out;
}

TEST(RunLog, EachLineOfAnEntryGetsTheTime) {
  const LogTime time{2026, 12, 9, 9, 5, 7, 42};
  EXPECT_EQ(FormatLogEntry(time, u"Exit code 1602"), "2026-12-09 09:05:07.042 Exit code 1602\r\n");
  // Diagnostic lines bring their own endings; blank lines are dropped.
  EXPECT_EQ(FormatLogEntry(time, u"\r\n Action start: InstallFiles\r\n"),
            "2026-12-09 09:05:07.042  Action start: InstallFiles\r\n");
  EXPECT_EQ(FormatLogEntry(time, u"one\ntwo"),
            "2026-12-09 09:05:07.042 one\r\n2026-12-09 09:05:07.042 two\r\n");
  EXPECT_EQ(FormatLogEntry(time, u"\r\n"), "");
  // UTF-8 on disk.
  EXPECT_EQ(FormatLogEntry(time, u"Größe"),
            "2026-12-09 09:05:07.042 Gr\xC3\xB6\xC3\x9F"
            "e\r\n");
}

TEST(RunLog, FallbackAndPackageLogsAreNamedFromTheRunLog) {
  EXPECT_EQ(FallbackLogPath(u"Q:\\gone\\setup.log", u"C:\\Temp\\"), u"C:\\Temp\\setup.log");
  EXPECT_EQ(FallbackLogPath(u"Q:\\gone\\", u"C:\\Temp"), u"C:\\Temp\\VimzeeWebInstaller.log");
  EXPECT_EQ(FallbackLogPath(u"", u"C:\\Temp\\"), u"C:\\Temp\\VimzeeWebInstaller.log");

  EXPECT_EQ(PackageLogPath(u"C:\\Logs\\setup.log", u"C:\\Work\\msi\\Vimzee.msi"),
            u"C:\\Logs\\setup.Vimzee.msi.log");
  EXPECT_EQ(PackageLogPath(u"C:\\Logs\\setup", u"Vimzee.msi"), u"C:\\Logs\\setup.Vimzee.msi.log");
  // A dot in a folder's name is no extension.
  EXPECT_EQ(PackageLogPath(u"C:\\v1.2\\setup", u"a.msi"), u"C:\\v1.2\\setup.a.msi.log");
}

class RunLogFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("vwi_run_log_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "temp");
  }
  void TearDown() override {
    CloseRunLog();
    std::filesystem::remove_all(folder_);
  }
  std::u16string Path(const std::string& name) const {
    return Utf16FromUtf8((folder_ / name).string());
  }
  std::filesystem::path folder_;
};

TEST_F(RunLogFiles, AppendsEntriesAndDiagnosticLines) {
  const std::u16string path = Path("setup.log");
  { std::ofstream(folder_ / "setup.log") << "earlier run\r\n"; }
  EXPECT_EQ(OpenRunLog(path, Path("temp")), path);
  EXPECT_EQ(RunLogPath(), path);
  LogLine(u"Manifest: C:\\Setup\\config\\manifestHome.xml");
  DiagnosticLine(u"KORVO_DEBUG: MSI Installation failed. Error Code: 1603\r\n");
  CloseRunLog();
  LogLine(u"not written: the log is closed");
  EXPECT_EQ(RunLogPath(), u"");
  const std::string log = ReadFile(folder_ / "setup.log");
  EXPECT_EQ(log.substr(0, 13), "earlier run\r\n");
  EXPECT_EQ(WithoutTimes(log.substr(13)),
            "Manifest: C:\\Setup\\config\\manifestHome.xml\r\n"
            "KORVO_DEBUG: MSI Installation failed. Error Code: 1603\r\n");
}

TEST_F(RunLogFiles, AnUnwritablePathFallsBackToTheTemporaryFolderAndSaysSo) {
  const std::u16string wanted = Path("missing/folder/deploy.log");
  const std::u16string used = OpenRunLog(wanted, Path("temp") + u"/");
  const std::filesystem::path fallback = folder_ / "temp" / "deploy.log";
  EXPECT_EQ(Utf8FromUtf16(used), fallback.string());
  LogLine(u"Exit code 0");
  CloseRunLog();
  EXPECT_EQ(WithoutTimes(ReadFile(fallback)),
            "The log cannot be written to \"" + Utf8FromUtf16(wanted) + "\"; it is written to \"" +
                Utf8FromUtf16(used) + "\" instead.\r\nExit code 0\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

TEST_F(RunLogFiles, NoFileAtAllLeavesTheLogClosed) {
  EXPECT_EQ(OpenRunLog(Path("missing/a.log"), Path("missing/temp")), u"");
  EXPECT_EQ(RunLogPath(), u"");
  LogLine(u"goes nowhere");  // and does not crash
}

}  // namespace
}  // namespace vwi
