#include "app/win/startup_stages.h"

#include "app/win/vrel_master_installer_app.h"
#include "install/install_status.h"
#include "wizard/win/install_guide.h"

namespace vwi {

void RunInstallGuide(CVrelMasterInstallerApp& app, ISystemServices& system) {
  app.outcome.wizardRan = true;
  CInstallGuide guide({app.context, app.flags, system, ProcessInstallStatus(), app.outcome});
  app.SetMainWindow(&guide);
  guide.DoModal();
}

}  // namespace vwi
