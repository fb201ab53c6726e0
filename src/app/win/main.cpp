// The program's entry point: makes the process safe to run from a download
// folder, then hands the run to the application object.
#include <windows.h>

#include <cstdlib>
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
  return application.Run(instance);
}
