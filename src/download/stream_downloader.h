// Fetches a URL into a byte stream: the HTTP transfer for the version file
// and a newer installer, or a test double.
#pragma once

#include <cstdint>
#include <string>

#include "platform/byte_sink.h"

namespace vwi {

class IStreamDownloader {
 public:
  virtual ~IStreamDownloader() = default;
  // True only when the whole body of a success answer reached `out`.
  virtual bool DownloadToStream(const std::u16string& url, IByteSink& out) = 0;
  // The size the server announces for `url` without sending the body; 0 when
  // it is unknown (the free-space check is then left out).
  virtual int64_t AnnouncedSize(const std::u16string& url) {
    (void)url;
    return 0;
  }
};

}  // namespace vwi
