// What the installation worker does on the machine, step by step. The
// worker decides the order, the states and the cancellation; these steps
// carry each part out (the Windows Installer, processes, the registry, the
// server) and native tests replace them. Each step gets what it works on, a
// place to report its progress and the run's cancel, never the worker.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "context/install_choices.h"
#include "download/download_status.h"
#include "download/payload_files.h"
#include "install/install_item.h"
#include "install/install_progress.h"
#include "install/step_result.h"

namespace vwi {

// What installing one package gave: the installer's result (installer_verdict.h
// says what it means), the home page it reported, and for a failure its cause when
// the step knows a closer one than "the package failed".
struct PackageResult {
  uint32_t installerResult = 0;
  FailureCause cause = FailureCause::None;
  std::u16string homepageUrl;
};

// What running a program gave: whether it started, and once it has ended
// its exit code. A program left running (the run was cancelled) has no code.
struct ProgramResult {
  bool started = false;
  std::optional<uint32_t> exitCode;
};

class IInstallSteps {
 public:
  virtual ~IInstallSteps() = default;

  // The worker thread's steps, in order.
  virtual StepResult RecheckVersion(ICancelRequest& cancel) = 0;
  // Downloads (and checks) the items; the accepted packages stay in `held`.
  // The installation folder's volume must then take the main package.
  virtual StepResult DownloadItems(const std::vector<InstallItem>& items,
                                   const InstallChoices& choices, IInstallProgress& progress,
                                   ICancelRequest& cancel, HeldPayloads& held) = 0;
  virtual bool FileExists(const InstallItem& item) = 0;
  // Installs a package; `onPercent` hears its progress (0 to 100).
  virtual PackageResult InstallPackage(const InstallItem& item, const InstallChoices& choices,
                                       const std::function<void(int32_t)>& onPercent,
                                       ICancelRequest& cancel) = 0;
  virtual ProgramResult RunProgram(const InstallItem& item, ICancelRequest& cancel) = 0;
  virtual void ApplyPostInstallSettings(const InstallChoices& choices) = 0;
};

}  // namespace vwi
