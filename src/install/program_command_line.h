// The command lines a program item is started with.
#pragma once

#include <string>

#include "install/install_item.h"

namespace vwi {

// The path in double quotes, a space, then the item's arguments: unquoted, a
// work folder with a space in its name (C:\Users\Ann Lee\...) would make the
// system start "C:\Users\Ann.exe" if one existed, or fail.
std::u16string ProgramCommandLine(const InstallItem& item);

// Msiexec's parameters for a prerequisite package: "/i", the quoted path, a
// space and the item's arguments, with the restart suppressed unless they
// set REBOOT.
std::u16string MsiexecParameters(const InstallItem& item);

// True for a Windows Installer package (".msi" without regard to case).
bool IsPackagePath(const std::u16string& path);

}  // namespace vwi
