// The installation worker's steps on Windows: the download phase over the
// HTTP transfers, the packages through msi.dll, programs as processes, the
// settings in the registry. The context is only read: what the user chose
// comes with each call, what the run came to goes back in its results.
#pragma once

#include "context/app_flags.h"
#include "context/installer_context.h"
#include "download/download_checks.h"
#include "download/transfers.h"
#include "install/install_steps.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system_services.h"

namespace vwi {

struct InstallEnvironment {
  const InstallerContext& context;
  // The run's work folders: only the worker uses them while it runs.
  WorkFolders& folders;
  const AppFlags& flags;
  ISystemServices& system;
  IRegistry& registry;
  IMessageBox& ownedBox;  // owned by the main window: the installer's own prompts
  // Free space before each download and before the main package; tests put
  // volumes of their own here.
  IFreeSpace& freeSpace = SystemFreeSpace();
  ITransfers& transfers = SystemTransfers();
  TransferOptions transferOptions = {};
};

class WinInstallSteps final : public IInstallSteps {
 public:
  explicit WinInstallSteps(InstallEnvironment environment) : env_(environment) {}

  StepResult RecheckVersion(ICancelRequest& cancel) override;
  StepResult DownloadItems(const std::vector<InstallItem>& items, const InstallChoices& choices,
                           IInstallProgress& progress, ICancelRequest& cancel,
                           HeldPayloads& held) override;
  bool FileExists(const InstallItem& item) override;
  PackageResult InstallPackage(const InstallItem& item, const InstallChoices& choices,
                               const std::function<void(int32_t)>& onPercent,
                               ICancelRequest& cancel) override;
  ProgramResult RunProgram(const InstallItem& item, ICancelRequest& cancel) override;
  void ApplyPostInstallSettings(const InstallChoices& choices) override;

 private:
  // The checks of every download; a volume too full is remembered for the
  // result.
  DownloadChecks Checks();
  // The installation folder's volume must take the main package.
  StepResult RoomForMainPackage(const std::vector<InstallItem>& items,
                                const InstallChoices& choices);
  // The size of an item's file in its work folder; 0 when it is not there.
  uint64_t FileSizeOf(const InstallItem& item);

  InstallEnvironment env_;
  uint64_t megabytesShort_ = 0;
};

}  // namespace vwi
