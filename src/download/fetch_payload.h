// One package from the server into a new file of its work folder, checked
// and held: the size query, the room on its volume, the transfer (resumed
// as the policy allows), the hold taken from the writer's own file, the
// digest through the hold. A package that arrived whole but fails its
// digest is fetched once more. The packages of the installation and the
// newer installer come this one way.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "context/failure_cause.h"
#include "download/download_checks.h"
#include "download/download_job.h"
#include "download/payload_check.h"
#include "download/transfers.h"

namespace vwi {

struct FetchTarget {
  IHeldFolder& folder;
  std::u16string_view fileName;
  const std::optional<std::u16string>& sha256;  // the digest it must match, when one is given
  std::u16string_view name;                     // what the log calls it
};

struct FetchResult {
  // None when fetched; DownloadFailed, DiskSpace or PayloadIntegrity.
  FailureCause cause = FailureCause::None;
  TransferResult transfer;  // what the failed size query or transfer came to
  PayloadVerdict verdict = PayloadVerdict::NoDigest;
  std::unique_ptr<IHeldFile> file;  // the file, held, when fetched

  bool fetched() const { return cause == FailureCause::None; }
};

// Fetches `job.url` into the target. `job` hears the progress, with the
// server's size as total once it is known. A volume too full is told
// through `checks.onOutOfDisk`, and no file is made.
FetchResult FetchPayload(CDownloadJob& job, const FetchTarget& target, ITransfers& transfers,
                         const DownloadChecks& checks, ICancelRequest& cancel,
                         const TransferOptions& options = {});

}  // namespace vwi
