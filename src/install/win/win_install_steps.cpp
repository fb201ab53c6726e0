#include "install/win/win_install_steps.h"

#include <windows.h>

#include "install/download_phase.h"
#include "install/install_items.h"
#include "install/package_command_line.h"
#include "install/post_install_settings.h"
#include "install/win/install_package.h"
#include "install/win/run_program.h"

namespace vwi {

StepResult WinInstallSteps::RecheckVersion(ICancelRequest& cancel) {
  const InstallerContext& context = env_.context;
  return vwi::RecheckVersion(
      {context.manifest, context.installedVersion, env_.flags.productInstalled}, env_.transfers,
      cancel, env_.transferOptions.retry);
}

StepResult WinInstallSteps::DownloadItems(const std::vector<InstallItem>& items,
                                          const InstallChoices& choices, IInstallProgress& progress,
                                          ICancelRequest& cancel, HeldPayloads& held) {
  const DownloadChecks checks = Checks();
  StepResult downloaded = vwi::DownloadItems(
      items, {env_.folders, env_.transfers, checks, cancel, progress, held, env_.transferOptions});
  if (downloaded.cause == FailureCause::DiskSpace) downloaded.megabytesNeeded = megabytesShort_;
  if (!downloaded.passed) return downloaded;
  return RoomForMainPackage(items, choices);
}

StepResult WinInstallSteps::RoomForMainPackage(const std::vector<InstallItem>& items,
                                               const InstallChoices& choices) {
  // Checked once every package is on disk and before any is installed, so a
  // full volume never leaves the prerequisites installed in vain.
  for (const InstallItem& item : items) {
    if (item.runAsProgram || IsTransformPath(item.localPath)) continue;
    const uint64_t size = FileSizeOf(item);
    if (!EnsureFreeSpace(Checks(), choices.installFolder, size)) {
      StepResult full = StepResult::Failed(FailureCause::DiskSpace);
      full.megabytesNeeded = megabytesShort_;
      return full;
    }
  }
  return StepResult::Passed();
}

bool WinInstallSteps::FileExists(const InstallItem& item) {
  return env_.system.PathExists(item.localPath);
}

uint64_t WinInstallSteps::FileSizeOf(const InstallItem& item) {
  IHeldFolder* folder = env_.folders.Folder(item.folder);
  if (!folder) return 0;
  const FileHold hold = folder->HoldFile(item.fileName);
  return hold.file ? hold.file->Size().value_or(0) : 0;
}

PackageResult WinInstallSteps::InstallPackage(const InstallItem& item,
                                              const InstallChoices& choices,
                                              const std::function<void(int32_t)>& onPercent,
                                              ICancelRequest& cancel) {
  const InstallerContext& context = env_.context;
  PackageCommandLineInputs in;
  in.productInstalled = env_.flags.productInstalled;
  in.installFolderExists = env_.system.PathExists(choices.installFolder);
  in.installFolder = choices.installFolder;
  in.multipleLanguages = context.multipleLanguages;
  in.languageId = choices.languageId;
  in.transformFolder = context.transformFolder;
  in.fileAssociation = choices.fileAssociation;
  return vwi::InstallPackage(item, BuildPackageCommandLine(in),
                             {env_.ownedBox, context.manifest.shortName, onPercent, cancel});
}

ProgramResult WinInstallSteps::RunProgram(const InstallItem& item, ICancelRequest& cancel) {
  return vwi::RunProgram(item, cancel);
}

void WinInstallSteps::ApplyPostInstallSettings(const InstallChoices& choices) {
  vwi::ApplyPostInstallSettings(choices, env_.context, env_.flags, env_.registry);
}

DownloadChecks WinInstallSteps::Checks() {
  DownloadChecks checks;
  checks.freeSpace = &env_.freeSpace;
  checks.onOutOfDisk = [this](uint64_t megabytes) { megabytesShort_ = megabytes; };
  return checks;
}

}  // namespace vwi
