#include "install/win/run_program.h"

#include <windows.h>

#include <vector>

#include "install/program_command_line.h"
#include "platform/paths.h"
#include "platform/run_log.h"
#include "platform/win/safe_start.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// Waits for the whole run: a prerequisite package still installing when the
// main package starts would make that one fail with "another installation
// is in progress". A cancel ends the wait (a program that never ends must
// not hold the installer), and then nothing more is installed.
ProgramResult WaitUntilEnded(HANDLE process, const ICancelRequest& cancel) {
  while (WaitForSingleObject(process, 50) == WAIT_TIMEOUT) {
    if (cancel.IsCancelled()) return {.started = true, .exitCode = std::nullopt};
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process, &code)) return {.started = true, .exitCode = std::nullopt};
  return {.started = true, .exitCode = code};
}

// Starts `application` (a full path: never a bare name that would be looked
// up beside the installer or in the current folder) with `folder` current,
// and waits for its end. `hidden`: its first window is not shown.
ProgramResult StartAndWait(const std::u16string& application, const std::u16string& line,
                           const std::u16string& folder, bool hidden,
                           const ICancelRequest& cancel) {
  std::vector<wchar_t> buffer(line.begin(), line.end());  // CreateProcessW may write to it
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  if (hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(Wide(application), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : Wide(folder), &startup, &info)) {
    return {};
  }
  UniqueHandleKernel process(info.hProcess);
  UniqueHandleKernel thread(info.hThread);
  return WaitUntilEnded(process.get(), cancel);
}

ProgramResult RunPackage(const InstallItem& item, const ICancelRequest& cancel) {
  std::u16string parameters = MsiexecParameters(item);
  // With a run log, the package writes its verbose log beside it.
  if (const std::u16string runLog = RunLogPath(); !runLog.empty()) {
    parameters += u" /l*v \"" + PackageLogPath(runLog, item.localPath) + u"\"";
  }
  const std::u16string system = SystemFolder();
  if (system.empty()) return {};
  const std::u16string msiexec = system + u"\\msiexec.exe";
  return StartAndWait(msiexec, u"\"" + msiexec + u"\" " + parameters, system, true, cancel);
}

ProgramResult RunExecutable(const InstallItem& item, const ICancelRequest& cancel) {
  return StartAndWait(item.localPath, ProgramCommandLine(item), FolderOf(item.localPath), false,
                      cancel);
}

}  // namespace

ProgramResult RunProgram(const InstallItem& item, const ICancelRequest& cancel) {
  return IsPackagePath(item.localPath) ? RunPackage(item, cancel) : RunExecutable(item, cancel);
}

}  // namespace vwi
