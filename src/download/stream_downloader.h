// Fetches a URL into a byte stream: the HTTP transfer for the version file
// and a newer installer, or a test double.
#pragma once

#include <ostream>
#include <string>

namespace vwi {

class IStreamDownloader {
 public:
  virtual ~IStreamDownloader() = default;
  // True only when the whole body of a success answer reached `out`.
  virtual bool DownloadToStream(const std::u16string& url, std::ostream& out) = 0;
};

}  // namespace vwi
