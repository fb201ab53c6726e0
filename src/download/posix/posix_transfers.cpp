// Natively no server is reached: the engine's transfers are tested with
// doubles, the HTTP stack under Wine.
#include "download/transfers.h"

namespace vwi {
namespace {

TransferResult NoConnection() {
  TransferResult result;
  result.failure = TransferFailure::NoConnection;
  return result;
}

class PosixTransfers final : public ITransfers {
 public:
  SizeResult QuerySize(const std::u16string&, ICancelRequest&, IDownloadCallback*,
                       const RetryPolicy&) override {
    return {NoConnection(), 0};
  }
  TransferResult DownloadToFile(const std::u16string&, INewFile&, IDownloadCallback&,
                                const TransferOptions&, ICancelRequest&) override {
    return NoConnection();
  }
  TransferResult DownloadToStream(const std::u16string&, IByteSink&, ICancelRequest&,
                                  const RetryPolicy&) override {
    return NoConnection();
  }
};

}  // namespace

ITransfers& SystemTransfers() {
  static PosixTransfers transfers;
  return transfers;
}

}  // namespace vwi
