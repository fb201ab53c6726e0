#include "xml/declared_encoding.h"

#include "platform/text.h"
#include "xml/attribute_scan.h"
#include "xml/name_match.h"
#include "xml/node_scanner.h"

namespace vwi {
namespace {

bool IsWs(char16_t c) { return NodeScanner::IsWhitespace(c); }

// Reads one token: whitespace skipped, then a run up to whitespace or a
// delimiter, or a single delimiter. Empty at the end.
std::u16string_view NextToken(std::u16string_view s, size_t& i) {
  while (i < s.size() && IsWs(s[i])) ++i;
  const size_t start = i;
  if (i < s.size() && IsNameDelimiter(s[i])) {
    ++i;
  } else {
    while (i < s.size() && !IsWs(s[i]) && !IsNameDelimiter(s[i])) ++i;
  }
  return s.substr(start, i - start);
}

std::u16string CharsetOfContent(std::u16string_view content) {
  size_t i = 0;
  for (;;) {
    const std::u16string_view token = NextToken(content, i);
    if (token.empty()) return {};
    if (!EqualsIgnoreAsciiCase(token, u"charset")) continue;
    size_t j = i;
    if (NextToken(content, j) != u"=") continue;
    while (j < content.size() && IsWs(content[j])) ++j;
    size_t k = j;
    while (k < content.size() && !IsWs(content[k]) && !IsNameDelimiter(content[k])) ++k;
    return std::u16string(content.substr(j, k - j));
  }
}

std::u16string_view AttributeValue(std::u16string_view tag, std::u16string_view name, bool& found) {
  const AttributeSpan a = FindAttribute(tag, name, true);
  found = a.found;
  return a.found ? tag.substr(a.valueStart, a.valueEnd - a.valueStart) : std::u16string_view();
}

std::u16string_view PiTarget(std::u16string_view pi) {
  size_t i = 2;
  while (i < pi.size() && IsWs(pi[i])) ++i;
  size_t j = i;
  while (j < pi.size() && !IsWs(pi[j]) && pi[j] != '?') ++j;
  return pi.substr(i, j - i);
}

}  // namespace

std::u16string FindDeclaredEncoding(std::u16string_view text) {
  NodeScanner scanner(text, 0);
  bool sawStartTag = false;
  for (;;) {
    const ScannedNode node = scanner.Next();
    const std::u16string_view whole = text.substr(node.start, node.length);
    const std::u16string_view name = text.substr(node.nameStart, node.nameLength);
    bool found = false;
    switch (node.kind) {
      case NodeKind::EndOfText:
      case NodeKind::Error:
        return {};
      case NodeKind::ProcessingInstruction:
        if (node.start == 0 && NameEquals(PiTarget(whole), u"xml", NameCase::kIgnoreAscii)) {
          return std::u16string(AttributeValue(whole, u"encoding", found));
        }
        break;
      case NodeKind::EndTag:
        if (NameEquals(name, u"head", NameCase::kIgnoreAscii)) return {};
        break;
      case NodeKind::Element:
        if (!sawStartTag) {
          sawStartTag = true;
          if (!NameEquals(name, u"html", NameCase::kIgnoreAscii)) return {};
        } else if (NameEquals(name, u"meta", NameCase::kIgnoreAscii)) {
          const std::u16string_view equiv = AttributeValue(whole, u"http-equiv", found);
          if (!found || !EqualsIgnoreAsciiCase(equiv, u"Content-Type")) break;
          const std::u16string_view content = AttributeValue(whole, u"content", found);
          if (!found) return {};
          return CharsetOfContent(content);
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace vwi
