#include "platform/web_address.h"

#include "platform/text.h"

namespace vwi {
namespace {

// The length of "http://" or "https://" at the start, or 0.
size_t WebSchemeLength(std::u16string_view address) {
  for (const std::u16string_view scheme :
       {std::u16string_view(u"http://"), std::u16string_view(u"https://")}) {
    if (address.size() >= scheme.size() &&
        EqualsIgnoreAsciiCase(address.substr(0, scheme.size()), scheme)) {
      return scheme.size();
    }
  }
  return 0;
}

// The end of the authority that starts at `from`.
size_t AuthorityEnd(std::u16string_view address, size_t from) {
  const size_t end = address.find_first_of(u"/?#\\", from);
  return end == std::u16string_view::npos ? address.size() : end;
}

}  // namespace

bool IsWebAddress(std::u16string_view address) {
  const size_t scheme = WebSchemeLength(address);
  if (scheme == 0) return false;
  for (const char16_t c : address) {
    if (c <= 0x20 || c == 0x7F) return false;
  }
  const size_t end = AuthorityEnd(address, scheme);
  std::u16string_view authority = address.substr(scheme, end - scheme);
  const size_t at = authority.rfind(u'@');
  if (at != std::u16string_view::npos) authority.remove_prefix(at + 1);
  // A backslash right after the authority would make some parsers read a share.
  if (end < address.size() && address[end] == u'\\') return false;
  return !authority.empty() && authority.front() != u':';
}

std::u16string WithoutCredentials(std::u16string_view address) {
  const size_t scheme = address.find(u"://");
  if (scheme == std::u16string_view::npos) return std::u16string(address);
  const size_t start = scheme + 3;
  const size_t end = AuthorityEnd(address, start);
  const size_t at = address.substr(start, end - start).rfind(u'@');
  if (at == std::u16string_view::npos) return std::u16string(address);
  std::u16string result(address.substr(0, start));
  result += address.substr(start + at + 1);
  return result;
}

}  // namespace vwi
