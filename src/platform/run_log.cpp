#include "platform/run_log.h"

#include "platform/paths.h"

#include <memory>
#include <mutex>
#include <string>

#include "platform/text.h"

namespace vwi {
namespace {

std::mutex logLock;
std::unique_ptr<ILogFile> logFile;
std::u16string logPath;

// `value` in decimal with leading zeros up to `width` digits.
std::string Padded(int value, size_t width) {
  std::string digits = value < 0 ? "0" : std::to_string(value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

void AppendLocked(std::u16string_view text) {
  if (logFile) logFile->Append(FormatLogEntry(log_platform::Now(), text));
}

}  // namespace

std::string FormatLogEntry(const LogTime& time, std::u16string_view text) {
  const std::string stamp = Padded(time.year, 4) + "-" + Padded(time.month, 2) + "-" +
                            Padded(time.day, 2) + " " + Padded(time.hour, 2) + ":" +
                            Padded(time.minute, 2) + ":" + Padded(time.second, 2) + "." +
                            Padded(time.millisecond, 3) + " ";
  std::string entry;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) {
      entry += stamp;
      entry += Utf8FromUtf16(text.substr(start, end - start));
      entry += "\r\n";
    }
    start = end + 1;
  }
  return entry;
}

std::u16string FallbackLogPath(std::u16string_view requested, std::u16string_view tempFolder) {
  std::u16string name(FileNameOf(requested));
  if (name.empty()) name = u"VimzeeWebInstaller.log";
  std::u16string path(tempFolder);
  if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
  return path + name;
}

std::u16string PackageLogPath(std::u16string_view runLog, std::u16string_view packagePath) {
  const size_t nameStart = runLog.size() - FileNameOf(runLog).size();
  std::u16string_view stem = runLog;
  const size_t dot = runLog.find_last_of(u'.');
  if (dot != std::u16string_view::npos && dot > nameStart) stem = runLog.substr(0, dot);
  return std::u16string(stem) + u"." + std::u16string(FileNameOf(packagePath)) + u".log";
}

std::u16string OpenRunLog(const std::u16string& path, const std::u16string& tempFolder) {
  std::lock_guard guard(logLock);
  logFile = path.empty() ? nullptr : log_platform::OpenForAppend(path);
  logPath = path;
  if (!logFile) {
    logPath = FallbackLogPath(path, tempFolder);
    logFile = log_platform::OpenForAppend(logPath);
    if (!logFile) {
      logPath.clear();
      return {};
    }
    AppendLocked(u"The log cannot be written to \"" + path + u"\"; it is written to \"" + logPath +
                 u"\" instead.");
  }
  return logPath;
}

void CloseRunLog() {
  std::lock_guard guard(logLock);
  logFile.reset();
  logPath.clear();
}

std::u16string RunLogPath() {
  std::lock_guard guard(logLock);
  return logPath;
}

void LogLine(std::u16string_view text) {
  std::lock_guard guard(logLock);
  AppendLocked(text);
}

}  // namespace vwi
