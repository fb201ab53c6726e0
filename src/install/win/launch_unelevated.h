// Starting the installed product with the signed-in user's ordinary rights,
// although the installer itself runs elevated.
#pragma once

#include <string>

namespace vwi {

// How the program was started, if at all.
enum class LaunchRoute {
  kDesktopShell,  // the desktop shell's automation started it in the shell's process
  kShellToken,    // started with the desktop shell process's rights
  kDirect,        // this process is not elevated: started directly, with the same rights
  kNotStarted,    // no way to start it without administrator rights
};

// Starts `path` through the desktop shell, so that it runs with the shell's
// (non-elevated) rights. Where the shell's automation objects are missing it
// falls back to the shell process's rights, or to a direct start when this
// process is not elevated; it never starts the product elevated. The calling
// thread must have initialised COM.
LaunchRoute LaunchUnelevated(const std::u16string& path);

// Opens `target` (a program, document or address) through the desktop
// shell's automation, in the shell's process and with its rights, with
// `folder` current (may be empty). False where that route is unavailable.
// The calling thread must have initialised COM.
bool StartThroughDesktopShell(const std::u16string& target, const std::u16string& folder);

}  // namespace vwi
