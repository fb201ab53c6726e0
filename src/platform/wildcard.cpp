#include "platform/file_queries.h"
#include "platform/text.h"

namespace vwi {

bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
  // Greedy matching with one back-tracking point: linear for "*" patterns.
  size_t p = 0, n = 0, star = std::u16string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || lower(pattern[p]) == lower(name[n]))) {
      ++p, ++n;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace vwi
