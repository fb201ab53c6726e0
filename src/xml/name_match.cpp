#include "xml/name_match.h"

#include "platform/text.h"

namespace vwi {

bool IsNameDelimiter(char16_t c) {
  switch (c) {
    case '<':
    case '>':
    case '=':
    case '\\':
    case '/':
    case '?':
    case '!':
    case ';':
    case '"':
    case '\'':
      return true;
    default:
      return false;
  }
}

bool NameEquals(std::u16string_view span, std::u16string_view given, NameCase rule) {
  if (given.size() < span.size()) return false;
  const std::u16string_view start = given.substr(0, span.size());
  if (rule == NameCase::kExact ? start != span : !EqualsIgnoreAsciiCase(start, span)) return false;
  if (given.size() == span.size()) return true;
  const char16_t c = given[span.size()];
  return c == ' ' || c == '=' || c == '/' || c == '[' || c == ']';
}

}  // namespace vwi
