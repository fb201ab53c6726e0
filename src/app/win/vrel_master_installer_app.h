// The application object: owns the whole run, from the single-instance
// guard to the hand-over to a newer installer at exit.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "app/exit_code.h"
#include "context/app_flags.h"
#include "context/installer_context.h"
#include "download/proxy_login.h"
#include "install/installer_verdict.h"
#include "platform/win/unique_handle.h"
#include "platform/win/win_app.h"
#include "platform/win/win_system_services.h"
#include "validation/win/client_validator.h"

namespace vwi {

inline constexpr wchar_t kInstanceSemaphoreName[] = L"VrelMasterInstaller";
inline constexpr wchar_t kMainWindowClassName[] = L"VrelMasterInstallerClassName";

class CVrelMasterInstallerApp : public WinApp {
 public:
  CVrelMasterInstallerApp() = default;

  AppFlags flags;
  InstallerContext context;
  CClientValidator validator;
  // How the wizard's run ended; the exit code is decided from it at exit.
  RunOutcome outcome;
  // The folder that was current when the program started; relative paths on
  // the command line are taken from it.
  std::u16string startFolder;
  // Cancels the installation that runs, when one does (a proxy's question
  // answered with Cancel); set by the wizard's stage.
  std::function<void()> cancelRun;
  // How long a Windows Installer busy with another installation is waited
  // for (ten minutes; only a build for the tests shortens it).
  BusyInstallerPolicy busyInstallerPolicy;

 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  // A person at the wizard is asked for a proxy's password; a silent run
  // has nobody to ask.
  void StartProxySignIn();
  // "/layout DIR": the offline layout instead of the validator and the wizard.
  void MakeOfflineLayout();

  // Another copy runs: raise its window. True when this copy must end.
  bool AnotherCopyRuns();
  bool RegisterMainWindowClass();
  // The installation probe Initialise may have left for later, and the log
  // entry that shows its result.
  void FinishStartupProbe();
  // Opens the run's log when "/log" asked for one.
  void OpenLog();
  // Tells the user why a context that failed to initialise ends the run.
  void ReportInitialiseFailure(int32_t code);
  void RunWizard();
  // Starts the newer installer; returns the exit code of the hand-over
  // (the newer copy's own in silent mode).
  int HandOverToUpdater();

  RunReport report_;
  UniqueHandleKernel instanceSemaphore_;
  WinSystemServices system_;
  std::unique_ptr<IProxyPrompt> proxyPrompt_;
  std::unique_ptr<ProxyLogin> proxyLogin_;
};

}  // namespace vwi
