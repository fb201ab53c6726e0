#include "app/win/startup_stages.h"

#include "app/win/vrel_master_installer_app.h"
#include "install/install_status.h"
#include "install/win/win_installation.h"
#include "wizard/win/install_guide.h"

namespace vwi {

void RunInstallGuide(CVrelMasterInstallerApp& app, ISystemServices& system) {
  app.outcome.wizardRan = true;
  WinMessageBox wizardBox;
  // The installation outlives the wizard, which only shows it.
  WinInstallation installation(app.context, app.flags, system, ProcessInstallStatus(), wizardBox,
                               app.busyInstallerPolicy);
  // Cancel in the proxy's question cancels the run, as the close question's Yes does.
  app.cancelRun = [&installation] { installation.Cancel(); };
  // The settings panel starts from the context's defaults.
  InstallChoices choices{app.context.installFolder, app.context.fileAssociation,
                         app.context.strings.languageId};
  CInstallGuide guide(
      {app.context, app.flags, choices, system, installation, wizardBox, app.outcome});
  app.SetMainWindow(&guide);
  guide.DoModal();
  app.cancelRun = nullptr;
}

}  // namespace vwi
