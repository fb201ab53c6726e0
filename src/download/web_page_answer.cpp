#include "download/web_page_answer.h"

#include <array>

namespace vwi {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

template <typename Char>
bool StartsWithLower(std::basic_string_view<Char> text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != static_cast<Char>(prefix[i])) return false;
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// An element name ends at white space, '>' or '/'; "<htmlx" is no <html>.
bool EndsName(std::string_view rest) {
  return rest.empty() || IsSpace(rest.front()) || rest.front() == '>' || rest.front() == '/';
}

}  // namespace

bool IsWebPageType(std::u16string_view contentType) {
  while (!contentType.empty() && (contentType.front() == u' ' || contentType.front() == u'\t')) {
    contentType.remove_prefix(1);
  }
  for (const std::string_view type :
       {std::string_view("text/html"), std::string_view("application/xhtml+xml")}) {
    if (!StartsWithLower(contentType, type)) continue;
    const std::u16string_view rest = contentType.substr(type.size());
    if (rest.empty() || rest.front() == u';' || rest.front() == u' ') return true;
  }
  return false;
}

bool LooksLikeWebPage(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  while (!bytes.empty() && IsSpace(bytes.front())) bytes.remove_prefix(1);
  if (StartsWithLower(bytes, "<!doctype")) {
    bytes.remove_prefix(9);
    while (!bytes.empty() && IsSpace(bytes.front())) bytes.remove_prefix(1);
    return StartsWithLower(bytes, "html") && EndsName(bytes.substr(4));
  }
  constexpr std::array<std::string_view, 6> kElements = {"<html",  "<head", "<body",
                                                         "<title", "<meta", "<script"};
  for (const std::string_view element : kElements) {
    if (StartsWithLower(bytes, element) && EndsName(bytes.substr(element.size()))) return true;
  }
  return false;
}

}  // namespace vwi
