#include "install/win/run_program.h"

#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <thread>

#include "download/cancel_token.h"
#include "download/transfers.h"
#include "install_test_support.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

const NeverCancelled never;

using namespace vwi::test;

std::wstring RecordedLine(const wchar_t* role) {
  return ReadString(HKEY_CURRENT_USER, std::wstring(kProgramsKey) + L"\\" + role, L"CommandLine")
      .value_or(L"<not run>");
}

TEST(RunProgram, FolderWithASpaceStartsTheProgramItselfAndWaitsForIt) {
  ResetRecordedPrograms();
  // "C:\...\Ann Lee\..." unquoted would start "C:\...\Ann.exe".
  const std::wstring base = ScratchFolder(L"vwi run");
  const std::wstring folder = base + L"\\Ann Lee";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring pack = folder + L"\\123language_pack_1031.exe";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"language_pack.exe"), pack));
  ASSERT_TRUE(CopyInto(BuiltFixture(L"Product.exe"), base + L"\\Ann.exe"));

  const InstallItem item{u"language_pack", u"", FromWide(pack.c_str()), u"/s", 1, 1};
  const ProgramResult run = RunProgram(item, never);
  ASSERT_TRUE(run.started);
  EXPECT_EQ(run.exitCode, 0u);
  // The program has ended by now: its record is there without waiting.
  EXPECT_EQ(RecordedLine(L"LanguagePack"), L"\"" + pack + L"\" /s");
  EXPECT_EQ(RecordedLine(L"Product"), L"<not run>");
}

TEST(RunProgram, MissingProgramCannotStart) {
  const InstallItem item{u"x", u"", u"C:\\nowhere\\setup.exe", u"/s", 1, 1};
  EXPECT_FALSE(RunProgram(item, never).started);
}

TEST(RunProgram, PrerequisitePackageRunsThroughMsiexecToItsEnd) {
  Uninstall(kPrerequisiteCode);
  DeleteKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Apple Inc.\\Bonjour");
  const std::wstring folder = ScratchFolder(L"vwi run msi") + L"\\";
  const std::wstring package = folder + L"456bonjour.msi";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"prerequisite.msi"), package));
  const InstallItem item{u"bonjour.msi", u"", FromWide(package.c_str()), u"/qn", 1, 1};
  ASSERT_EQ(RunProgram(item, never).exitCode, 0u);
  // Waited for: the main package may start right away.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Apple Inc.\\Bonjour", L"Version")
                .value_or(L"<missing>"),
            L"3.0.0.10");
  Uninstall(kPrerequisiteCode);
}

TEST(RunProgram, TheExitCodeComesBackTryByTry) {
  ResetRecordedPrograms();
  const std::wstring key = std::wstring(kProgramsKey) + L"\\Prerequisite";
  const wchar_t codes[] = L"1618,3010";
  ASSERT_EQ(
      RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"ExitCodes", REG_SZ, codes, sizeof(codes)),
      ERROR_SUCCESS);
  const std::wstring program = ScratchFolder(L"vwi run codes") + L"\\vc_redist.exe";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"prerequisite.exe"), program));
  const InstallItem item{u"vc_redist.exe", u"", FromWide(program.c_str()), u"/quiet", 1, 1};
  EXPECT_EQ(RunProgram(item, never).exitCode, 1618u);
  EXPECT_EQ(RunProgram(item, never).exitCode, 3010u);
  EXPECT_EQ(RunProgram(item, never).exitCode, 3010u);  // the last one stays
  ResetRecordedPrograms();
}

// Ends every process started from `name` (the program the installer left
// running on its own), so that it writes nothing into later tests.
void EndProcessesNamed(const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, name) != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

TEST(RunProgram, ACancelEndsTheWaitForAProgramThatDoesNotEnd) {
  ResetRecordedPrograms();
  const std::wstring key = std::wstring(kProgramsKey) + L"\\Prerequisite";
  // Longer than any test may wait; it ends by itself later.
  const DWORD wait = 60000;
  ASSERT_EQ(
      RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"WaitMs", REG_DWORD, &wait, sizeof(wait)),
      ERROR_SUCCESS);
  const std::wstring program = ScratchFolder(L"vwi run cancel") + L"\\vc_redist.exe";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"prerequisite.exe"), program));
  CancelToken cancel;
  // The user answers Yes once the program is running and waited for.
  std::thread user([&] {
    while (!ReadNumber(HKEY_CURRENT_USER, key, L"Runs")) Sleep(50);
    Sleep(200);
    cancel.Cancel();
  });
  const InstallItem item{u"vc_redist.exe", u"", FromWide(program.c_str()), u"/quiet", 1, 1};
  const ProgramResult run = RunProgram(item, cancel);
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.exitCode);  // still running: no code yet
  user.join();
  EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, key, L"Runs"), 1u);
  EndProcessesNamed(L"vc_redist.exe");
  ResetRecordedPrograms();
}

}  // namespace
}  // namespace vwi
