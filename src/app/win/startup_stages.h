// The wizard stage of start-up, a call into the wizard subsystem.
#pragma once

namespace vwi {

class CVrelMasterInstallerApp;
class ISystemServices;

// Runs the wizard modally as the application's main window.
void RunInstallGuide(CVrelMasterInstallerApp& app, ISystemServices& system);

}  // namespace vwi
