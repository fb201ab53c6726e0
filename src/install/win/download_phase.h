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

// Downloads one job's URL into its local path: asks the server for the size
// (0 means the file is missing there), makes sure the target's volume has
// room for it, creates the file, transfers it. The owner's events cancel and
// pause it; `callback` receives the progress. Fails with DiskSpace when the
// volume is too full (told through `checks.onOutOfDisk`; no file is created),
// and with DownloadFailed without an owner, when the cancel event is already
// signalled, and when any other step fails.
StepResult DownloadOne(CDownloadJob& job, DownloadControl* owner, CDownloadJob::Callback callback,
                       const DownloadChecks& checks = {});

// Downloads every item with download = 1 in order, reporting Downloading with
// the package's position among the downloaded ones, and checks each file
// against its digest as soon as it is on disk; a package that lies beside the
// program already (download = 0) is checked in its turn. Stops at the first
// failure, with DownloadFailed, DiskSpace, or PayloadIntegrity and the
// package's name (its file is removed); stopped when cancelRequested is set.
StepResult DownloadItems(const std::vector<InstallItem>& items, DownloadControl& control,
                         InstallStatus& status, const DownloadChecks& checks = {});

// Fetches the version file once more (unless standalone or no address is
// configured) and decides whether the installation may go on; an already
// installed product or a too old installer is told in a box captioned
// "Windows Installer" (causes AlreadyInstalled, InstallerTooOld). A version
// file that cannot be fetched or read fails with DownloadFailed (DiskSpace
// for a volume too full for it).
StepResult RecheckVersion(InstallerContext& context, const AppFlags& flags,
                          DownloadControl& control, ISystemServices& system, IMessageBox& box,
                          const RecheckTexts& texts = {}, const DownloadChecks& checks = {});

}  // namespace vwi
