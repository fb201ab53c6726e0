// A transfer double: serves fixed bodies by address, or fails an address
// with a given result, and records what was asked.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "download/transfers.h"

namespace vwi::test {

class ServedTransfers : public ITransfers {
 public:
  std::map<std::u16string, std::string> bodies;
  // Addresses whose transfers fail with the given result; the size query
  // fails with it too unless `sizeFailures` says otherwise.
  std::map<std::u16string, TransferResult> failures;
  std::map<std::u16string, TransferResult> sizeFailures;
  std::vector<std::u16string> urls;  // every address asked (size queries included), in order
  size_t taken = 0;                  // bytes the last stream's receiver took

  SizeResult QuerySize(const std::u16string& url, ICancelRequest&, IDownloadCallback*,
                       const RetryPolicy&) override {
    urls.push_back(url);
    if (const auto failed = sizeFailures.find(url); failed != sizeFailures.end()) {
      return {failed->second, 0};
    }
    if (const auto failed = failures.find(url); failed != failures.end())
      return {failed->second, 0};
    const auto body = bodies.find(url);
    if (body == bodies.end()) return {RefusedWith(404), 0};
    return {{}, static_cast<int64_t>(body->second.size())};
  }

  TransferResult DownloadToFile(const std::u16string& url, INewFile& file,
                                IDownloadCallback& progress, const TransferOptions&,
                                ICancelRequest& cancel) override {
    urls.push_back(url);
    if (const auto failed = failures.find(url); failed != failures.end()) return failed->second;
    const auto body = bodies.find(url);
    if (body == bodies.end()) return RefusedWith(404);
    if (cancel.IsCancelled()) return {TransferFailure::Cancelled};
    if (!file.WriteAt(0, body->second.data(), body->second.size())) {
      return {TransferFailure::NotWritable, 0, {}, file.LastError()};
    }
    DownloadStatusInfo info;
    info.state = DownloadState::Finished;
    info.received = info.total = body->second.size();
    progress.OnDownloadStatus(info);
    return {};
  }

  TransferResult DownloadToStream(const std::u16string& url, IByteSink& out, ICancelRequest&,
                                  const RetryPolicy&) override {
    urls.push_back(url);
    if (const auto failed = failures.find(url); failed != failures.end()) return failed->second;
    const auto body = bodies.find(url);
    if (body == bodies.end()) return RefusedWith(404);
    taken = 0;
    for (size_t at = 0; at < body->second.size(); at += 4096) {
      const size_t piece = std::min<size_t>(4096, body->second.size() - at);
      if (!out.Write(body->second.data() + at, piece)) return {TransferFailure::NotWritable};
      taken += piece;
    }
    return {};
  }
};

}  // namespace vwi::test
