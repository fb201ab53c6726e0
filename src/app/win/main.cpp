// The program's entry point: makes the process safe to run from a download
// folder, then hands the run to the application object. Built a second time
// with VWI_TEST_SWITCHES for the tests, which may shorten its waits; the
// shipped program reads no such switch.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <exception>

#include "app/win/vrel_master_installer_app.h"
#include "platform/win/safe_start.h"

// The runtime's default handler for an uncaught exception prints the
// exception's demangled type on a console, which a windowed program does not
// have. Defining it here keeps that printer and its demangler (45 KB, a
// tenth of the program) out of the link; the program ends as it would anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before the application object exists: nothing it makes may load a
  // library from the program's folder.
  const std::u16string startFolder = vwi::EnterSafeStart();
  static vwi::CVrelMasterInstallerApp application;
  application.startFolder = startFolder;
#ifdef VWI_TEST_SWITCHES
  // The tests' build alone: a busy Windows Installer is waited for as long
  // as VWI_TEST_BUSY_LIMIT_MS says, so that giving up takes seconds.
  wchar_t limit[16] = L"";
  if (GetEnvironmentVariableW(L"VWI_TEST_BUSY_LIMIT_MS", limit, 16) > 0) {
    const auto ms = static_cast<uint32_t>(wcstoul(limit, nullptr, 10));
    application.busyInstallerPolicy.limitMilliseconds = ms;
    application.busyInstallerPolicy.firstWaitMilliseconds = ms < 5000 ? ms / 4 + 1 : 5000;
  }
#endif
  return application.Run(instance);
}
