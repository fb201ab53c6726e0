// The stages start-up runs between its own steps: the theme, and the wizard.
// Each is a call into its subsystem.
#pragma once

namespace vwi {

class CVrelMasterInstallerApp;

// Installs the palette and fonts before any window exists.
void InstallTheme();
// Releases the theme's fonts at exit.
void ReleaseTheme();
// Runs the wizard modally as the application's main window.
void RunInstallGuide(CVrelMasterInstallerApp& app);

}  // namespace vwi
