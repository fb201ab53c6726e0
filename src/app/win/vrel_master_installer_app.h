// The application object: owns the whole run, from the single-instance
// guard to the hand-over to a newer installer at exit.
#pragma once

#include <windows.h>

#include "app/app_flags.h"
#include "context/installer_context.h"
#include "platform/win/unique_handle.h"
#include "platform/win/win_app.h"
#include "platform/win/win_system_services.h"
#include "validation/win/client_validator.h"

namespace vwi {

inline constexpr wchar_t kInstanceSemaphoreName[] = L"VrelMasterInstaller";
inline constexpr wchar_t kMainWindowClassName[] = L"VrelMasterInstallerClassName";

// Exit code of a run that could not set itself up (see README).
inline constexpr int kExitSetupFailed = 1603;

class CVrelMasterInstallerApp : public WinApp {
 public:
  CVrelMasterInstallerApp() = default;

  AppFlags flags;
  InstallerContext context;
  CClientValidator validator;

 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  // Another copy runs: raise its window. True when this copy must end.
  bool AnotherCopyRuns();
  bool RegisterMainWindowClass();
  // Tells the user why a context that failed to initialise ends the run.
  void ReportInitialiseFailure(int32_t code);
  void RunWizard();
  void HandOverToUpdater();

  UniqueHandleKernel instanceSemaphore_;
  WinSystemServices system_;
};

}  // namespace vwi
