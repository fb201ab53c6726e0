// The validator's background task: check the version, tell the user what
// stops the run, fetch a newer installer, and close the validator window.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/message_box.h"
#include "validation/version_check.h"

namespace vwi {

// What the task needs of the validator window and of the rest of the system.
class IValidationWindow {
 public:
  virtual ~IValidationWindow() = default;
  virtual void Wait(uint32_t milliseconds) = 0;
  virtual void Hide() = 0;
  // The message boxes, owned by the window.
  virtual IMessageBox& Messages() = 0;
  // The installed product's program (empty when there is none or its file is gone).
  virtual std::u16string InstalledExecutablePath() = 0;
  // Starts a program with the user's ordinary rights.
  virtual void LaunchUnelevated(const std::u16string& path) = 0;
  // Ends the validator's modal loop (posts the close request).
  virtual void Close() = 0;
};

// Runs the whole task, with the texts of the context's catalogue; the outcome,
// the updater's path and the failure cause end in `handOver` before the
// window is asked to close. A volume too full for the newer installer is told
// (IDS_ERR_OUT_OF_DISK, unless `checks` tells it its own way) and stops the run.
void RunValidation(InstallerContext& context, const AppFlags& flags, ISystemServices& system,
                   ITransfers& transfers, IValidationWindow& window, ValidationHandOver& handOver,
                   const DownloadChecks& checks = {});

}  // namespace vwi
