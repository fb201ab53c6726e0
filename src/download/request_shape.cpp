#include "download/request_shape.h"

namespace vwi {

uint32_t RequestFlags(RequestKind kind, bool secure) {
  using namespace request_flags;
  uint32_t flags = kReload | kNoUi;
  if (kind == RequestKind::FileDownload) flags |= kNoCacheWrite | kKeepConnection;
  if (secure) flags |= kSecure;
  return flags;
}

bool IsAcceptedSizeStatus(uint32_t status) {
  if (status < 200 || status > 500) return false;
  return status != 403 && status != 404;
}

bool IsBodyStatus(uint32_t status) { return status >= 200 && status <= 299; }

bool IsDefiniteHeadAnswer(uint32_t status, std::optional<int64_t> length) {
  return IsBodyStatus(status) && length && *length > 0;
}

std::optional<int64_t> ParseContentLength(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  if (i == text.size() || text[i] < u'0' || text[i] > u'9') return std::nullopt;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    const int64_t digit = text[i] - u'0';
    // Refused before the multiplication could overflow.
    if (value > (INT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace vwi
