// The Windows Installer property command line for the product's main package.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

// What the main package's command line is made from: the user's choices and
// what start-up found on the machine.
struct PackageCommandLineInputs {
  bool productInstalled = false;     // an installed version was found: repair it
  bool installFolderExists = false;  // the chosen installation folder exists on disk
  std::u16string installFolder;
  bool multipleLanguages = false;
  int32_t languageId = 1033;
  std::u16string transformFolder;  // ends in a backslash
  int32_t fileAssociation = 0;     // 0 all, 1 free, 2 none
};

// "All", "Free" or "None" for the file-association choices 0, 1 and 2; empty
// for anything else.
std::u16string ShellIntegrationLevel(int32_t fileAssociation);

// The per-language transform applied to the main package: the transform
// folder, the language id in decimal and ".mst".
std::u16string TransformPath(const std::u16string& transformFolder, int32_t languageId);

// REINSTALL (when installed) or INSTALLDIR (when the folder exists), then
// TRANSFORMS (a language other than English of a multi-language product),
// then SHELL_INTEGRATION_LEVEL, each after a single space; so the text may
// begin with a space. A fresh installation ends in REBOOT=ReallySuppress
// (a repair has it already).
std::u16string BuildPackageCommandLine(const PackageCommandLineInputs& in);

// `line` with " REBOOT=ReallySuppress" added unless it sets REBOOT itself:
// a package run without a user interface must never restart the machine in
// the middle of the run; it says 3010 instead, and the run tells the user.
std::u16string WithRestartSuppressed(const std::u16string& line);

}  // namespace vwi
