#include "app/win/vrel_master_installer_app.h"

#include <objbase.h>

#include "app/command_line.h"
#include "app/handover_parameters.h"
#include "app/options_help.h"
#include "app/run_log_entries.h"
#include "app/startup_failure.h"
#include "app/win/startup_stages.h"
#include "app/win/updater_handover.h"
#include "context/existing_installation.h"
#include "download/win/internet_session.h"
#include "install/offline_layout.h"
#include "install/win/launch_unelevated.h"
#include "platform/paths.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/safe_start.h"
#include "platform/win/wide.h"
#include "platform/win/win_message_box.h"
#include "theme/theme.h"
#include "wizard/win/proxy_prompt.h"

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
  {
    OptionTable options(flags);
    ApplyCommandLine(Arguments(), options);
  }
  // The options are shown whether or not another copy runs.
  if (flags.showHelp) {
    report_.helpShown = true;
    WinMessageBox(nullptr).Show(OptionsHelpText(), StartupCaption(context),
                                MB_OK | MB_ICONINFORMATION);
    return false;
  }
  if (AnotherCopyRuns()) {
    report_.anotherCopyRuns = true;
    return false;
  }
  OpenLog();
  if (!RegisterMainWindowClass()) return false;

  InitTheme();
  ContextServices services{system_, flags};
  const int32_t initialised = context.Initialise(services);
  if (initialised != kInitialiseOk) {
    FinishStartupProbe();
    ReportInitialiseFailure(initialised);
    return false;
  }

  // A layout asks nobody and installs nothing.
  if (!flags.layoutFolder.empty()) {
    FinishStartupProbe();
    MakeOfflineLayout();
    return false;
  }
  StartProxySignIn();
  if (flags.skipValidation) {
    FinishStartupProbe();
  } else {
    validator.beforeCheck = [this] { FinishStartupProbe(); };
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

void CVrelMasterInstallerApp::MakeOfflineLayout() {
  const int32_t language = ParseLenientInt(flags.requestedLanguage);
  LayoutRequest request{context.programFolder,
                        std::u16string(FileNameOf(system_.ProgramPath().value_or(u""))),
                        context.manifestPath, AbsoluteFrom(startFolder, flags.layoutFolder),
                        language > 0 ? std::optional<int32_t>(language) : std::nullopt};
  NeverCancelled never;
  const StepResult made =
      MakeLayout(request, context.manifest, {system_, SystemTransfers(), {}, never});
  report_.layoutRan = true;
  if (!made.passed) {
    report_.layoutCause =
        made.cause == FailureCause::None ? FailureCause::PackageFailed : made.cause;
  }
}

void CVrelMasterInstallerApp::StartProxySignIn() {
  if (flags.silentMode) return;
  // The question stands over the window on screen: the validator's while
  // it checks, the wizard's afterwards.
  proxyPrompt_ =
      std::make_unique<WinProxyPrompt>(context.strings, context.manifest.shortName, [this] {
        HWND main = MainWindowHandle();
        return main ? main : validator.hwnd();
      });
  proxyLogin_ = std::make_unique<ProxyLogin>(*proxyPrompt_, [this] {
    if (cancelRun) cancelRun();
  });
  SetProxyLogin(proxyLogin_.get());
}

void CVrelMasterInstallerApp::FinishStartupProbe() {
  context.FinishInstallationProbe();
  LogLine(ManifestLogEntry(context));
}

void CVrelMasterInstallerApp::OpenLog() {
  if (flags.logPath.empty()) return;
  // From here on the log's actual file is the one passed on at a hand-over.
  flags.logPath = OpenRunLog(AbsoluteFrom(startFolder, flags.logPath), system_.TempFolder());
  std::u16string line = u"Vimzee web installer started:";
  for (const std::u16string& argument : Arguments()) line += u" " + QuoteArgument(argument);
  LogLine(line);
}

void CVrelMasterInstallerApp::ReportInitialiseFailure(int32_t code) {
  report_.initialiseCode = code;
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
  SetProxyLogin(nullptr);
  ReleaseTheme();
  instanceSemaphore_.reset();
  report_.validationOutcome = validator.outcome;
  report_.validationCause = validator.failureCause;
  report_.silentMode = flags.silentMode;
  report_.wizard = outcome;
  if (validator.outcome == static_cast<int32_t>(ValidationOutcome::HandOver)) {
    report_.handOverExitCode = HandOverToUpdater();
  }
  validator.updaterHold.reset();
  validator.updaterFolder.reset();
  // Nothing of the run is held any more: its folder goes.
  context.workFolders.Finish();
  const int exitCode = ExitCodeFor(report_);
  LogLine(ExitLogEntry(report_, exitCode));
  CloseRunLog();
  SetExitCode(exitCode);
  return WinApp::ExitInstance();
}

int CVrelMasterInstallerApp::HandOverToUpdater() {
  WinMessageBox messages(nullptr);
  if (!flags.silentMode) {
    // A newer installer that could not be started installs nothing: the run
    // has failed.
    report_.handOverStarted =
        vwi::HandOverToUpdater(validator.updaterPath, messages, StartupCaption(context)) ==
        HandOverResult::kStarted;
    return exit_code::kInstalled;
  }
  // Unattended: the newer copy runs as this one was asked to, and its
  // result is the run's result.
  const std::u16string parameters = HandOverParameters(flags, flags.logPath);
  LogLine(u"Handing over to " + validator.updaterPath + u" " + parameters);
  const SilentHandOver handOver =
      HandOverSilently(validator.updaterPath, parameters, messages, StartupCaption(context));
  if (handOver.result != HandOverResult::kStarted) {
    LogLine(u"The newer installer could not be started");
    return exit_code::kFailed;
  }
  LogLine(u"The newer installer ended with exit code " + DecimalText(handOver.exitCode));
  return handOver.exitCode;
}

}  // namespace vwi
