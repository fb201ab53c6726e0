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

}  // namespace vwi
