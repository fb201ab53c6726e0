// The program's entry point: makes the process safe to run from a download
// folder, then hands the run to the application object.
#include <windows.h>

#include "app/win/vrel_master_installer_app.h"
#include "platform/win/safe_start.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before the application object exists: nothing it makes may load a
  // library from the program's folder.
  const std::u16string startFolder = vwi::EnterSafeStart();
  static vwi::CVrelMasterInstallerApp application;
  application.startFolder = startFolder;
  return application.Run(instance);
}
