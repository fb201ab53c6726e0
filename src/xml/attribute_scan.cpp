#include "xml/attribute_scan.h"

#include "platform/text.h"
#include "xml/node_scanner.h"

namespace vwi {
namespace {

bool IsWs(char16_t c) { return NodeScanner::IsWhitespace(c); }
bool IsQuote(char16_t c) { return c == '"' || c == '\''; }

}  // namespace

AttributeSpan FindAttribute(std::u16string_view tag, std::u16string_view name, bool ignoreCase) {
  AttributeSpan result;
  const int32_t end = static_cast<int32_t>(tag.size());
  int32_t i = 1;
  while (i < end && tag[i] != '/' && tag[i] != '>' && !IsWs(tag[i])) ++i;
  result.insertAt = i;
  while (i < end) {
    while (i < end && IsWs(tag[i])) ++i;
    if (i >= end || tag[i] == '>' || tag[i] == '/' || tag[i] == '?') break;
    if (IsQuote(tag[i])) {
      const size_t close = tag.find(tag[i], i + 1);
      i = close == std::u16string_view::npos ? end : static_cast<int32_t>(close) + 1;
      result.insertAt = i;
      continue;
    }
    const int32_t tokenStart = i;
    while (i < end && tag[i] != '=' && tag[i] != '>' && tag[i] != '/' && tag[i] != '?' &&
           !IsWs(tag[i])) {
      ++i;
    }
    if (i == tokenStart) {  // a stray '='
      ++i;
      continue;
    }
    const std::u16string_view token = tag.substr(tokenStart, i - tokenStart);
    result.insertAt = i;
    int32_t j = i;
    while (j < end && IsWs(tag[j])) ++j;
    if (j >= end || tag[j] != '=') continue;
    ++j;
    while (j < end && IsWs(tag[j])) ++j;
    AttributeSpan value;
    value.spanStart = j;
    if (j < end && IsQuote(tag[j])) {
      const size_t close = tag.find(tag[j], j + 1);
      value.valueStart = j + 1;
      value.valueEnd = close == std::u16string_view::npos ? end : static_cast<int32_t>(close);
      value.spanEnd = close == std::u16string_view::npos ? end : value.valueEnd + 1;
    } else {
      int32_t k = j;
      while (k < end && tag[k] != '>' && !IsWs(tag[k])) ++k;
      value.valueStart = j;
      value.valueEnd = k;
      value.spanEnd = k;
    }
    i = value.spanEnd;
    result.insertAt = i;
    const bool same = ignoreCase ? EqualsIgnoreAsciiCase(token, name) : token == name;
    if (same && !result.found) {
      value.found = true;
      value.insertAt = result.insertAt;
      result = value;
    }
  }
  return result;
}

}  // namespace vwi
