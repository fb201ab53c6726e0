// The hand-over to a newer installer at exit: it starts in this installer's
// place, told not to validate again.
#pragma once

#include <string>

#include "platform/message_box.h"

namespace vwi {

enum class HandOverResult {
  kStarted,
  kNoFile,      // no updater, or its file is gone: nothing is started or shown
  kStartFailed  // the shell could not start it: the user has been told
};

// Starts `updaterPath` with "/n" through the shell; tells the user with
// "The updater cannot be launched!" when the shell fails.
HandOverResult HandOverToUpdater(const std::u16string& updaterPath, IMessageBox& messages,
                                 const std::u16string& caption);

struct SilentHandOver {
  HandOverResult result = HandOverResult::kNoFile;
  int exitCode = 0;  // the newer installer's, when it was started
};

// The unattended hand-over: starts `updaterPath` with `parameters` (see
// HandOverParameters), waits until it has ended and takes its exit code.
// A start that fails is told like HandOverToUpdater's.
SilentHandOver HandOverSilently(const std::u16string& updaterPath, const std::u16string& parameters,
                                IMessageBox& messages, const std::u16string& caption);

}  // namespace vwi
