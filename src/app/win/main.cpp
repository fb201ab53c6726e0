// The program's entry point: hands the run to the application object.
#include <windows.h>

#include "app/win/vrel_master_installer_app.h"

namespace {
// Constructed at program load, as the whole run's owner.
vwi::CVrelMasterInstallerApp application;
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return application.Run(instance); }
