// A download into a file this run made, resumed from the bytes on disk when
// a try fails for a passing reason and the server can give the rest.
#pragma once

#include <string>

#include "download/download_status.h"
#include "download/transfer_options.h"
#include "download/transfer_result.h"
#include "platform/held_folder.h"

namespace vwi {

// Downloads `url` into `file`, writing at offsets from 0 under the transfer
// lock. A try that fails for a passing reason (the network, a busy server)
// is made again as the options' policy says, asking for the rest when the
// server can give it. Reports each chunk and a final record (Finished, or
// Cancelled 500 ms after the cancel) through `callback`. Complete only when
// the server answered 2xx and exactly the announced bytes are on disk, and
// no cancel was requested.
TransferResult DownloadToFile(ICancelRequest& cancel, const std::u16string& url, INewFile& file,
                              IDownloadCallback& callback, const TransferOptions& options = {});

}  // namespace vwi
