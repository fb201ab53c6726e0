#include "download/win/win_stream_downloader.h"

#include "download/win/cancel_request.h"
#include "download/win/http_transfer.h"

namespace vwi {

bool WinStreamDownloader::DownloadToStream(const std::u16string& url, IByteSink& out) {
  CancelRequest never;
  return vwi::DownloadToStream(never, url, out);
}

int64_t WinStreamDownloader::AnnouncedSize(const std::u16string& url) {
  return QueryRemoteFileSize(url);
}

}  // namespace vwi
