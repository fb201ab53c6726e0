// The run's diagnostic log, asked for with "/log PATH": a UTF-8 file with one
// timestamped line per entry, kept open for the whole run. Every diagnostic
// line goes into it as well. Without an open log, LogLine does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vwi {

struct LogTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The entry as lines of the log: each non-empty line of `text` (its CR and
// LF removed) after the time, "2026-12-09 09:51:10.123 text\r\n".
std::string FormatLogEntry(const LogTime& time, std::u16string_view text);

// Where the log goes when `requested` cannot be written: its file name (or
// "VimzeeWebInstaller.log" when it names none) in `tempFolder`.
std::u16string FallbackLogPath(std::u16string_view requested, std::u16string_view tempFolder);

// The Windows Installer's verbose log of one package, beside the run's log:
// "C:\Logs\setup.log" and "...\Vimzee.msi" give "C:\Logs\setup.Vimzee.msi.log".
std::u16string PackageLogPath(std::u16string_view runLog, std::u16string_view packagePath);

// Opens the log at `path` (appending to what is there). When that file
// cannot be written, the log opens at FallbackLogPath instead and its first
// entry says so. Returns the file in use; empty when neither opened.
std::u16string OpenRunLog(const std::u16string& path, const std::u16string& tempFolder);
void CloseRunLog();
// The file of the open log; empty when none is open.
std::u16string RunLogPath();
// Appends one timestamped entry to the open log.
void LogLine(std::u16string_view text);

// What the platform provides: a file opened for appending, and the local time.
class ILogFile {
 public:
  virtual ~ILogFile() = default;
  virtual bool Append(std::string_view bytes) = 0;
};
namespace log_platform {
// Null when the file cannot be created or opened for writing.
std::unique_ptr<ILogFile> OpenForAppend(const std::u16string& path);
LogTime Now();
}  // namespace log_platform

}  // namespace vwi
