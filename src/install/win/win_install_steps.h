// The installation worker's steps on Windows: the item list from the
// manifest and the registry probes, the download phase over WinINet, the
// packages through msi.dll, programs as processes, the settings in the
// registry.
#pragma once

#include "context/app_flags.h"
#include "context/installer_context.h"
#include "download/download_checks.h"
#include "install/install_items.h"
#include "install/install_steps.h"
#include "install/install_texts.h"
#include "install/install_worker.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/system_services.h"
#include "platform/win/unique_handle.h"

namespace vwi {

struct InstallEnvironment {
  InstallerContext& context;
  AppFlags& flags;
  ISystemServices& system;
  IRegistry& registry;
  IInstalledLanguagePacks& languagePacks;
  IMessageBox& ownedBox;  // owned by the main window: the installer's prompts, the re-check
  IMessageBox& plainBox;  // without owner: the download-server failure
  InstallTexts texts;
  // Free space before each download and before the main package; tests put
  // volumes of their own here.
  IFreeSpace& freeSpace = SystemFreeSpace();
};

class WinInstallSteps final : public IInstallSteps {
 public:
  explicit WinInstallSteps(InstallEnvironment environment) : env_(environment) {}

  void CreateEvents(InstallWorker& worker) override;
  InstallPlan Prepare() override;
  void SignalCancel(InstallWorker& worker) override;
  void Release(InstallWorker& worker) override;
  StepResult RecheckVersion(InstallWorker& worker) override;
  StepResult DownloadItems(InstallWorker& worker) override;
  bool FileExists(const std::u16string& path) override;
  PackageResult InstallPackage(InstallWorker& worker, const InstallItem& item) override;
  bool RunProgram(InstallWorker& worker, const InstallItem& item) override;
  void ApplyPostInstallSettings(InstallWorker& worker) override;
  void PublishHomepage(const std::u16string& homepageUrl) override;
  void ShowDownloadFailure(const StepResult& failed) override;

 private:
  DownloadChecks Checks();
  // The installation folder's volume must take the main package.
  StepResult RoomForMainPackage(const InstallWorker& worker);
  // The size of an item's file in its work folder; 0 when it is not there.
  uint64_t FileSizeOf(const InstallItem& item);
  // IDS_ERR_OUT_OF_DISK with the megabytes needed, owned by the main window.
  void ShowOutOfDisk(uint64_t megabytesNeeded);

  InstallEnvironment env_;
  UniqueHandleKernel cancelEvent_;
  UniqueHandleKernel runEvent_;
};

}  // namespace vwi
