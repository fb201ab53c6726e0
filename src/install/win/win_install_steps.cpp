#include "install/win/win_install_steps.h"

#include <windows.h>

#include "download/win/internet_session.h"
#include "install/catalogue_texts.h"
#include "install/package_command_line.h"
#include "install/post_install_settings.h"
#include "install/registry_prerequisite_probe.h"
#include "install/win/download_phase.h"
#include "install/win/install_package.h"
#include "install/win/run_program.h"
#include "localisation/ui_string_keys.h"
#include "localisation/ui_text_format.h"
#include "platform/text.h"

namespace vwi {

InstallPlan WinInstallSteps::Prepare() {
  RegistryPrerequisiteProbe probe(env_.registry);
  InstallPlan plan = BuildInstallItems(env_.context, env_.flags, probe, env_.languagePacks,
                                       env_.system.TickCount());
  OpenInternetSession();
  return plan;
}

void WinInstallSteps::CreateEvents(InstallWorker& worker) {
  cancelEvent_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  runEvent_.reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
  // Both or neither: a cancel without events ends the run at once.
  if (cancelEvent_ && runEvent_) {
    worker.control.cancelEvent = cancelEvent_.get();
    worker.control.runEvent = runEvent_.get();
  }
}

void WinInstallSteps::SignalCancel(InstallWorker&) {
  SetEvent(cancelEvent_.get());
  SetEvent(runEvent_.get());
}

void WinInstallSteps::Release(InstallWorker& worker) {
  worker.control.cancelEvent = nullptr;
  worker.control.runEvent = nullptr;
  cancelEvent_.reset();
  runEvent_.reset();
}

StepResult WinInstallSteps::RecheckVersion(InstallWorker& worker) {
  return vwi::RecheckVersion(env_.context, env_.flags, worker.control, env_.ownedBox,
                             RecheckTextsFrom(env_.context.strings));
}

StepResult WinInstallSteps::DownloadItems(InstallWorker& worker) {
  DownloadChecks checks = Checks();
  checks.held = &worker.heldPayloads;
  StepResult downloaded = vwi::DownloadItems(worker.items, worker.control, worker.status,
                                             env_.context.workFolders, checks);
  if (!downloaded.passed) return downloaded;
  return RoomForMainPackage(worker);
}

StepResult WinInstallSteps::RoomForMainPackage(const InstallWorker& worker) {
  // Checked once every package is on disk and before any is installed, so a
  // full volume never leaves the prerequisites installed in vain.
  for (const InstallItem& item : worker.items) {
    if (item.runAsProgram || IsTransformPath(item.localPath)) continue;
    const uint64_t size = FileSizeOf(item);
    if (!EnsureFreeSpace(Checks(), env_.context.installFolder, size)) {
      return StepResult::Failed(FailureCause::DiskSpace);
    }
  }
  return StepResult::Passed();
}

bool WinInstallSteps::FileExists(const std::u16string& path) {
  return env_.system.PathExists(path);
}

uint64_t WinInstallSteps::FileSizeOf(const InstallItem& item) {
  IHeldFolder* folder = env_.context.workFolders.Folder(item.folder);
  if (!folder) return 0;
  const FileHold hold = folder->HoldFile(item.fileName);
  return hold.file ? hold.file->Size().value_or(0) : 0;
}

PackageResult WinInstallSteps::InstallPackage(InstallWorker& worker, const InstallItem& item) {
  const InstallerContext& context = env_.context;
  PackageCommandLineInputs in;
  in.productInstalled = env_.flags.productInstalled != 0;
  in.installFolderExists = env_.system.PathExists(context.installFolder);
  in.installFolder = context.installFolder;
  in.multipleLanguages = context.multipleLanguages != 0;
  in.languageId = context.strings.languageId;
  in.transformFolder = context.transformFolder;
  in.fileAssociation = context.fileAssociation;
  return {vwi::InstallPackage(worker, item, BuildPackageCommandLine(in), env_.ownedBox,
                              context.manifest.shortName)};
}

bool WinInstallSteps::RunProgram(InstallWorker& worker, const InstallItem& item) {
  return vwi::RunProgram(item, worker.control.cancelEvent);
}

void WinInstallSteps::ApplyPostInstallSettings(InstallWorker&) {
  vwi::ApplyPostInstallSettings(env_.context, env_.flags, env_.registry);
}

void WinInstallSteps::PublishHomepage(const std::u16string& homepageUrl) {
  env_.context.homepageUrl = homepageUrl;
}

DownloadChecks WinInstallSteps::Checks() {
  return {&env_.freeSpace, &SystemSignatures(),
          [this](uint64_t megabytes) { ShowOutOfDisk(megabytes); }};
}

void WinInstallSteps::ShowOutOfDisk(uint64_t megabytesNeeded) {
  const std::u16string text = FormatUiString(env_.context.strings, IDS_ERR_OUT_OF_DISK,
                                             {DecimalText(static_cast<int64_t>(megabytesNeeded))});
  env_.ownedBox.Show(text, env_.context.manifest.shortName,
                     message_box::kOk | message_box::kIconError);
}

void WinInstallSteps::ShowDownloadFailure(const StepResult& failed) {
  env_.plainBox.Show(DownloadFailureText(env_.texts, failed), env_.context.manifest.shortName,
                     message_box::kIconError);
}

}  // namespace vwi
