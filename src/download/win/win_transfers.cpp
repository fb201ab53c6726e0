// The installer's transfers over WinINet.
#include "download/transfers.h"
#include "download/win/file_download.h"
#include "download/win/size_query.h"
#include "download/win/stream_download.h"

namespace vwi {
namespace {

class WinTransfers final : public ITransfers {
 public:
  SizeResult QuerySize(const std::u16string& url, ICancelRequest& cancel, IDownloadCallback* waits,
                       const RetryPolicy& policy) override {
    return QueryRemoteFileSize(url, cancel, waits, policy);
  }
  TransferResult DownloadToFile(const std::u16string& url, INewFile& file,
                                IDownloadCallback& progress, const TransferOptions& options,
                                ICancelRequest& cancel) override {
    return vwi::DownloadToFile(cancel, url, file, progress, options);
  }
  TransferResult DownloadToStream(const std::u16string& url, IByteSink& out, ICancelRequest& cancel,
                                  const RetryPolicy& policy) override {
    return vwi::DownloadToStream(cancel, url, out, policy);
  }
};

}  // namespace

ITransfers& SystemTransfers() {
  static WinTransfers transfers;
  return transfers;
}

}  // namespace vwi
