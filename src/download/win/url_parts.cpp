#include "download/win/url_parts.h"

#include <vector>

#include "platform/win/wide.h"

namespace vwi {
namespace {

constexpr DWORD kPartSize = 4096;

// A buffer the system copies one part of an address into.
class PartBuffer {
 public:
  // Lends the buffer to the pointer and length fields that name the part.
  void Lend(LPWSTR& text, DWORD& length) {
    text = buffer_.data();
    length = kPartSize;
  }
  std::wstring Take(DWORD length) const { return {buffer_.data(), length}; }

 private:
  std::vector<wchar_t> buffer_ = std::vector<wchar_t>(kPartSize);
};

}  // namespace

std::optional<UrlParts> SplitUrl(const std::u16string& url) {
  if (url.empty()) return std::nullopt;
  PartBuffer scheme, host, user, password, path, extra;
  URL_COMPONENTSW c = {};
  c.dwStructSize = sizeof(c);
  scheme.Lend(c.lpszScheme, c.dwSchemeLength);
  host.Lend(c.lpszHostName, c.dwHostNameLength);
  user.Lend(c.lpszUserName, c.dwUserNameLength);
  password.Lend(c.lpszPassword, c.dwPasswordLength);
  path.Lend(c.lpszUrlPath, c.dwUrlPathLength);
  extra.Lend(c.lpszExtraInfo, c.dwExtraInfoLength);
  if (!InternetCrackUrlW(Wide(url), static_cast<DWORD>(url.size()), 0, &c)) return std::nullopt;
  UrlParts parts;
  parts.scheme = c.nScheme;
  parts.host = host.Take(c.dwHostNameLength);
  parts.port = c.nPort;
  parts.user = user.Take(c.dwUserNameLength);
  parts.password = password.Take(c.dwPasswordLength);
  parts.path = path.Take(c.dwUrlPathLength);
  parts.extra = extra.Take(c.dwExtraInfoLength);
  if (parts.host.empty()) return std::nullopt;
  return parts;
}

}  // namespace vwi
