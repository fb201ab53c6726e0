#include "install/win/install_package.h"

#include <windows.h>

#include <msi.h>

#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// The handler's view of the worker and the user interface while one package
// installs; lives on the stack of InstallPackage.
class PackageMessageHost final : public IInstallerMessageHost {
 public:
  PackageMessageHost(InstallWorker& worker, IMessageBox& box, const std::u16string& caption)
      : worker_(worker), box_(box), caption_(caption) {}

  void SetBasicUi() override { MsiSetInternalUI(INSTALLUILEVEL_BASIC, nullptr); }
  int ShowInstallerBox(std::u16string_view text, uint32_t style) override {
    return box_.Show(text, caption_, style);
  }
  void ReportPackagePercent(int32_t percent) override {
    worker_.ReportStatus(InstallState::Installing, worker_.itemIndex, percent,
                         worker_.currentItemName);
  }
  void Diagnostic(std::u16string_view line) override { DiagnosticLine(line); }

  InstallWorker& worker() { return worker_; }

 private:
  InstallWorker& worker_;
  IMessageBox& box_;
  const std::u16string& caption_;
};

INT CALLBACK ExternalUiHandler(LPVOID context, UINT messageType, LPCWSTR message) {
  auto* host = static_cast<PackageMessageHost*>(context);
  InstallWorker& worker = host->worker();
  return HandleInstallerMessage(worker.installer, worker.control.cancelRequested, *host,
                                messageType, reinterpret_cast<const char16_t*>(message));
}

}  // namespace

uint32_t InstallPackage(InstallWorker& worker, const InstallItem& item,
                        const std::u16string& commandLine, IMessageBox& box,
                        const std::u16string& caption) {
  worker.installer.progress.Reset();
  worker.installer.firstMessage = true;
  worker.currentItemName = item.name;

  PackageMessageHost host(worker, box, caption);
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
  return result;
}

}  // namespace vwi
