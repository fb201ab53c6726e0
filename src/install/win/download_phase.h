// The download phase of the installation worker: the last version check,
// then every package that has to come from the server, one after another.
#pragma once

#include <string>
#include <vector>

#include "context/app_flags.h"
#include "context/installer_context.h"
#include "download/download_checks.h"
#include "install/download_control.h"
#include "install/download_job.h"
#include "install/install_item.h"
#include "install/install_status.h"
#include "install/recheck_texts.h"
#include "install/step_result.h"
#include "platform/message_box.h"
#include "platform/system_services.h"

namespace vwi {

// Where one download goes: a new file `fileName` of `folder`, checked by
// `checks`; once the transfer has ended the file is held in `hold`.
struct DownloadTarget {
  const DownloadChecks& checks;
  IHeldFolder& folder;
  std::u16string_view fileName;
  FileHold& hold;
};

// Downloads one job's URL into its target: asks the server for the size (0
// means the file is missing there), makes sure the target's volume has room
// for it, makes the file anew (removing whatever lay under its name),
// transfers it and holds it. The owner's events cancel and pause it;
// `callback` receives the progress. Fails with DiskSpace when the volume is
// too full (told through `checks.onOutOfDisk`; no file is made), and with
// DownloadFailed without an owner, when the cancel event is already
// signalled, and when any other step fails.
StepResult DownloadOne(CDownloadJob& job, DownloadControl* owner, CDownloadJob::Callback callback,
                       const DownloadTarget& target);

// Downloads every item with download = 1 in order into its work folder,
// reporting Downloading with the package's position among the downloaded
// ones, and checks each file against its digest as soon as it is on disk; a
// package that lies beside the program already (download = 0) is checked in
// its turn (copied into the work folder first when that lies elsewhere).
// Stops at the first failure, with DownloadFailed, DiskSpace, or
// PayloadIntegrity and the package's name (its file is removed); stopped when
// cancelRequested is set.
StepResult DownloadItems(const std::vector<InstallItem>& items, DownloadControl& control,
                         InstallStatus& status, WorkFolders& folders,
                         const DownloadChecks& checks = {});

// Fetches the version file once more into memory (unless standalone or no
// address is configured) and decides whether the installation may go on; an
// already installed product or a too old installer is told in a box
// captioned "Windows Installer" (causes AlreadyInstalled, InstallerTooOld).
// A version file that cannot be fetched or read fails with DownloadFailed.
StepResult RecheckVersion(InstallerContext& context, const AppFlags& flags,
                          DownloadControl& control, IMessageBox& box,
                          const RecheckTexts& texts = {});

}  // namespace vwi
