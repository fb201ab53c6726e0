// A URL cut into the parts the HTTP stack needs; nothing is decoded.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>

namespace vwi {

struct UrlParts {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  std::wstring host;
  INTERNET_PORT port = 0;
  std::wstring user;
  std::wstring password;
  std::wstring path;
  std::wstring extra;  // the query part, appended to the path in requests
};

// Nothing when the URL is malformed or a part exceeds 4,096 units.
std::optional<UrlParts> SplitUrl(const std::u16string& url);

}  // namespace vwi
