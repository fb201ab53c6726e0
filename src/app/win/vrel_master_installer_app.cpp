#include "app/win/vrel_master_installer_app.h"

#include <objbase.h>

#include "app/command_line.h"
#include "app/startup_failure.h"
#include "app/theme.h"
#include "app/win/startup_stages.h"
#include "app/win/updater_handover.h"
#include "context/existing_installation.h"
#include "install/win/launch_unelevated.h"
#include "platform/win/wide.h"
#include "platform/win/win_message_box.h"

namespace vwi {

bool CVrelMasterInstallerApp::AnotherCopyRuns() {
  instanceSemaphore_.reset(CreateSemaphoreW(nullptr, 0, 1, kInstanceSemaphoreName));
  // Without a semaphore at all we go on as the only copy.
  if (!instanceSemaphore_ || GetLastError() != ERROR_ALREADY_EXISTS) return false;
  if (HWND running = FindWindowW(kMainWindowClassName, nullptr)) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
  }
  return true;
}

bool CVrelMasterInstallerApp::RegisterMainWindowClass() {
  // The wizard's class is the standard dialog class under our own name, so
  // that a second copy can find the running copy's window.
  WNDCLASSW windowClass{};
  if (!GetClassInfoW(nullptr, MAKEINTATOM(0x8002), &windowClass)) return false;
  windowClass.lpszClassName = kMainWindowClassName;
  windowClass.hInstance = instance();
  return RegisterClassW(&windowClass) != 0;
}

bool CVrelMasterInstallerApp::InitInstance() {
  if (AnotherCopyRuns()) return false;
  {
    OptionTable options(flags);
    ApplyCommandLine(Arguments(), options);
  }
  SetRegistryKey(L"Local AppWizard-Generated Applications");
  if (!RegisterMainWindowClass()) return false;

  InitTheme();
  ContextServices services{system_, flags};
  if (const int32_t code = context.Initialise(services); code != kInitialiseOk) {
    ReportInitialiseFailure(code);
    return false;
  }

  if (!flags.skipValidation) {
    validator.installedExecutablePath = [this] {
      return InstalledExecutablePath(context.manifest.registryPath);
    };
    validator.launchUnelevated = [](const std::u16string& path) { LaunchUnelevated(path); };
    validator.updaterPath.clear();
    validator.RunModal(context, flags);
    if (validator.outcome != static_cast<int32_t>(ValidationOutcome::Proceed)) return false;
  }
  RunWizard();
  return false;
}

void CVrelMasterInstallerApp::ReportInitialiseFailure(int32_t code) {
  SetExitCode(kExitSetupFailed);
  const StartupFailureMessage message = DescribeStartupFailure(code, context);
  WinMessageBox(nullptr).Show(message.text, message.caption, MB_OK | MB_ICONERROR);
}

void CVrelMasterInstallerApp::RunWizard() {
  CoInitialize(nullptr);
  RunInstallGuide(*this, system_);
  SetMainWindow(nullptr);
  CoUninitialize();
}

int CVrelMasterInstallerApp::ExitInstance() {
  ReleaseTheme();
  instanceSemaphore_.reset();
  if (validator.outcome == static_cast<int32_t>(ValidationOutcome::HandOver)) HandOverToUpdater();
  return WinApp::ExitInstance();
}

void CVrelMasterInstallerApp::HandOverToUpdater() {
  WinMessageBox messages(nullptr);
  vwi::HandOverToUpdater(validator.updaterPath, messages, StartupCaption(context));
}

}  // namespace vwi
