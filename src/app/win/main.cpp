// The program's entry point: makes the process safe to run from a download
// folder, then hands the run to the application object. Built a second time
// with VWI_TEST_SWITCHES for the tests, which may shorten its waits; the
// shipped program reads no such switch.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <new>

#include "app/win/vrel_master_installer_app.h"
#include "platform/win/safe_start.h"

// The runtime's default handler for an uncaught exception prints the
// exception's demangled type on a console, which a windowed program does not
// have. Defining it here keeps that printer and its demangler (45 KB, a
// tenth of the program) out of the link; the program ends as it would anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The standard library's containers and strings report a misuse (a length
// past their maximum, an index out of range) through these; its own
// versions build logic_error, runtime_error and system_error objects (a lock or
// a thread the system refuses), which bring a second
// string implementation and its error classes (some 40 KB). The program
// catches nothing by those types: each is thrown as std::bad_alloc, which the
// installation worker already takes for a run that cannot go on.
namespace std {
[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_cast() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_typeid() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_exception() { throw bad_alloc(); }
[[noreturn]] void __throw_logic_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_domain_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_invalid_argument(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_length_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_out_of_range(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { throw bad_alloc(); }
[[noreturn]] void __throw_runtime_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_range_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_overflow_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_underflow_error(const char*) { throw bad_alloc(); }
// A lock or a thread the system refuses.
[[noreturn]] void __throw_system_error(int) { throw bad_alloc(); }
}  // namespace std

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
