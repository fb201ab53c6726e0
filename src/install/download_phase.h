// The download phase of the installation worker: the last version check,
// then every package that has to come from the server, one after another,
// each fetched, checked and held (download/fetch_payload.h).
#pragma once

#include <string>
#include <vector>

#include "context/product_manifest.h"
#include "context/work_folders.h"
#include "download/download_checks.h"
#include "download/transfers.h"
#include "install/install_item.h"
#include "install/install_progress.h"
#include "install/step_result.h"

namespace vwi {

// What the phase works with. `held` keeps every accepted package held
// until it has been installed.
struct DownloadPhase {
  WorkFolders& folders;
  ITransfers& transfers;
  const DownloadChecks& checks;
  ICancelRequest& cancel;
  IInstallProgress& progress;
  HeldPayloads& held;
  TransferOptions options = {};
};

// Downloads every item with download set in order into its work folder,
// reporting Downloading with the package's position among the downloaded
// ones; a package that lies beside the program already is checked in its
// turn (copied into the work folder first when that lies elsewhere), and a
// package with a fixed name an earlier run kept is used again when its
// digest still matches. Stops at the first failure, with DownloadFailed (and
// what the transfer came to), DiskSpace, or PayloadIntegrity and the
// package's name (its file is removed); stopped when a cancel is seen
// between packages.
StepResult DownloadItems(const std::vector<InstallItem>& items, const DownloadPhase& phase);

// What the last version check compares: the manifest as the run started
// with it (its copy is the check's own), and what is installed.
struct RecheckInputs {
  ProductManifest manifest;
  std::u16string installedVersion;
  bool productInstalled = false;
};

// Fetches the version file once more into memory (unless standalone or no
// address is configured) and decides whether the installation may go on:
// AlreadyInstalled or InstallerTooOld stop it. A version file that cannot
// be fetched or read fails with DownloadFailed.
StepResult RecheckVersion(RecheckInputs inputs, ITransfers& transfers, ICancelRequest& cancel,
                          const RetryPolicy& policy = {});

}  // namespace vwi
