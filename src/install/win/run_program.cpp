#include "install/win/run_program.h"

#include <windows.h>

#include <shellapi.h>

#include <vector>

#include "install/program_command_line.h"
#include "platform/run_log.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// Waits for the whole run: a prerequisite package still installing when the
// main package starts would make that one fail with "another installation
// is in progress".
void WaitUntilEnded(HANDLE process) { WaitForSingleObject(process, INFINITE); }

bool RunPackage(const InstallItem& item) {
  std::u16string parameters = MsiexecParameters(item);
  // With a run log, the package writes its verbose log beside it.
  if (const std::u16string runLog = RunLogPath(); !runLog.empty()) {
    parameters += u" /l*v \"" + PackageLogPath(runLog, item.localPath) + u"\"";
  }
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = L"Msiexec.exe";
  info.lpParameters = Wide(parameters);
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info)) return false;
  UniqueHandleKernel process(info.hProcess);
  if (process) WaitUntilEnded(process.get());
  return true;
}

bool RunExecutable(const InstallItem& item) {
  const std::u16string line = ProgramCommandLine(item);
  std::vector<wchar_t> buffer(line.begin(), line.end());  // CreateProcessW may write to it
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  UniqueHandleKernel process(info.hProcess);
  UniqueHandleKernel thread(info.hThread);
  WaitUntilEnded(process.get());
  return true;
}

}  // namespace

bool RunProgram(const InstallItem& item) {
  return IsPackagePath(item.localPath) ? RunPackage(item) : RunExecutable(item);
}

}  // namespace vwi
