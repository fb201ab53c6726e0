#include "install/win/install_package.h"

#include <windows.h>

#include <msi.h>

#include "install/installer_message.h"
#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// The handler's state and its view of the user interface while one package
// installs; lives on the stack of InstallPackage.
class PackageMessageHost final : public IInstallerMessageHost {
 public:
  explicit PackageMessageHost(const PackageSession& session) : session_(session) {}

  void SetBasicUi() override { MsiSetInternalUI(INSTALLUILEVEL_BASIC, nullptr); }
  int ShowInstallerBox(std::u16string_view text, uint32_t style) override {
    return session_.box.Show(text, session_.caption, style);
  }
  void ReportPackagePercent(int32_t percent) override {
    if (session_.onPercent) session_.onPercent(percent);
  }
  void Diagnostic(std::u16string_view line) override { DiagnosticLine(line); }

  int Handle(UINT messageType, const char16_t* message) {
    return HandleInstallerMessage(state, session_.cancel.IsCancelled(), *this, messageType,
                                  message);
  }

  InstallerMessageState state;

 private:
  const PackageSession& session_;
};

INT CALLBACK ExternalUiHandler(LPVOID context, UINT messageType, LPCWSTR message) {
  return static_cast<PackageMessageHost*>(context)->Handle(
      messageType, reinterpret_cast<const char16_t*>(message));
}

}  // namespace

PackageResult InstallPackage(const InstallItem& item, const std::u16string& commandLine,
                             const PackageSession& session) {
  PackageMessageHost host(session);
  // With a run log, the installer writes its own verbose log beside it.
  const std::u16string runLog = RunLogPath();
  const std::u16string packageLog = runLog.empty() ? u"" : PackageLogPath(runLog, item.localPath);
  if (!packageLog.empty()) {
    MsiEnableLogW(INSTALLLOGMODE_VERBOSE | INSTALLLOGMODE_FATALEXIT | INSTALLLOGMODE_ERROR |
                      INSTALLLOGMODE_WARNING | INSTALLLOGMODE_USER | INSTALLLOGMODE_INFO |
                      INSTALLLOGMODE_RESOLVESOURCE | INSTALLLOGMODE_OUTOFDISKSPACE |
                      INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA |
                      INSTALLLOGMODE_COMMONDATA | INSTALLLOGMODE_PROPERTYDUMP,
                  Wide(packageLog), INSTALLLOGATTRIBUTES_FLUSHEACHLINE);
    LogLine(u"Package " + item.name + u": installing " + item.localPath + u" [" + commandLine +
            u"], its log: " + packageLog);
  }
  MsiSetInternalUI(static_cast<INSTALLUILEVEL>(INSTALLUILEVEL_NONE | INSTALLUILEVEL_SOURCERESONLY),
                   nullptr);
  const INSTALLUI_HANDLERW previous =
      MsiSetExternalUIW(ExternalUiHandler, installer_message::kFilter, &host);
  const UINT result =
      MsiInstallProductW(Wide(item.localPath), commandLine.empty() ? nullptr : Wide(commandLine));
  // The host dies with this call: never leave the installer pointing at it.
  MsiSetExternalUIW(previous, 0, nullptr);
  if (!packageLog.empty()) MsiEnableLogW(0, nullptr, 0);
  LogLine(u"Package " + item.name + u": installer result " + DecimalText(result));
  if (result != ERROR_SUCCESS) DiagnosticLine(InstallerFailureLine(result));
  return {result, FailureCause::None, host.state.homepageUrl};
}

}  // namespace vwi
