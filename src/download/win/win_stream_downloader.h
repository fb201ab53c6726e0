// The stream downloader over the HTTP transfer, never cancelled or paused
// (the validator's transfers run before anything could cancel them).
#pragma once

#include "download/stream_downloader.h"

namespace vwi {

class WinStreamDownloader final : public IStreamDownloader {
 public:
  bool DownloadToStream(const std::u16string& url, IByteSink& out) override;
  int64_t AnnouncedSize(const std::u16string& url) override;
};

}  // namespace vwi
