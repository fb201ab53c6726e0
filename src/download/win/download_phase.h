// The download phase of the installation worker: the last version check,
// then every package that has to come from the server, one after another.
#pragma once

#include <string>
#include <vector>

#include "app/app_flags.h"
#include "context/installer_context.h"
#include "download/download_control.h"
#include "download/download_job.h"
#include "download/recheck_texts.h"
#include "install/install_item.h"
#include "install/install_status.h"
#include "platform/message_box.h"
#include "platform/system_services.h"

namespace vwi {

// Downloads one job's URL into its local path: asks the server for the size
// (0 means the file is missing there), creates the file, transfers it. The
// owner's events cancel and pause it; `callback` receives the progress.
// False without an owner, when the cancel event is already signalled, and
// when any step fails.
bool DownloadOne(CDownloadJob& job, DownloadControl* owner, CDownloadJob::Callback callback);

// Downloads every item with download = 1 in order, reporting Downloading with
// the package's position among the downloaded ones. Stops at the first
// failure (failureReason 4) and, without a reason, when cancelRequested is set.
bool DownloadItems(const std::vector<InstallItem>& items, DownloadControl& control,
                   InstallStatus& status);

// Fetches the version file once more (unless standalone or no address is
// configured) and decides whether the installation may go on; an already
// installed product or a too old installer is told in a box captioned
// "Windows Installer". A version file that cannot be fetched or read sets
// failureReason 4.
bool RecheckVersion(InstallerContext& context, const AppFlags& flags, DownloadControl& control,
                    ISystemServices& system, IMessageBox& box, const RecheckTexts& texts = {});

}  // namespace vwi
