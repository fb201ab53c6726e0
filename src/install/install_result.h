// How an installation run ended, as a value: what the wizard tells the user
// (it chooses and formats its own texts from it), what the log records with
// its codes, and what the exit code is made from.
#pragma once

#include <cstdint>
#include <string>

#include "context/failure_cause.h"
#include "download/transfer_result.h"
#include "install/install_state.h"

namespace vwi {

struct InstallResult {
  // The run's final state; Initial when it never reached one (the wizard
  // was closed before the installation, or never started it).
  InstallState state = InstallState::Initial;
  FailureCause cause = FailureCause::None;  // why it did not finish
  TransferResult transfer;                  // a failed download's kind and codes
  uint32_t installerResult = 0;             // the failed package's result (0: none failed)
  std::u16string failedItem;                // the item that failed, when one did
  std::u16string failedAddress;             // where it was fetched from (no credentials)
  uint64_t megabytesNeeded = 0;             // with DiskSpace: what the volume lacked
  std::u16string homepageUrl;               // the page a package reported, for the success panel
  bool restartRequired = false;             // a package or program said 3010 or 1641
};

// The result's log line: "Run ended: installation failed, download failed,
// Vimzee.msi from http://host/Vimzee.msi: status 404".
std::u16string InstallResultLogEntry(const InstallResult& result);

}  // namespace vwi
