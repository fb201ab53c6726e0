#include "xml/node_scanner.h"

#include <string>

#include "xml/unit_search.h"

namespace vwi {
namespace {

bool IsQuote(char16_t c) { return c == '"' || c == '\''; }

}  // namespace

void NodeScanner::Next(ScannedNode& n) {
  unterminated_ = false;
  if (pos_ >= end_) {
    Set(n, NodeKind::EndOfText, pos_, 0);
    return;
  }
  if (text_[pos_] == '<') {
    ScanMarkup(n, pos_, Unterminated::kReport);
  } else {
    ScanCharacterData(n, pos_);
  }
  pos_ = n.start + n.length;
}

void NodeScanner::ScanCharacterData(ScannedNode& n, int32_t start) {
  int32_t i = start;
  while (i < end_ && IsWhitespace(text_[i])) ++i;
  NodeKind kind = NodeKind::Whitespace;
  if (i < end_ && text_[i] != '<') {
    kind = NodeKind::Text;
    i = static_cast<int32_t>(FindUnit(text_ + i, text_ + end_, u'<') - text_);
  }
  return Set(n, kind, start, i - start);
}

void NodeScanner::ScanMarkup(ScannedNode& n, int32_t start, Unterminated mode) {
  if (start + 1 >= end_) return Unfinished(n, start, u"tag", mode);
  const char16_t c = text_[start + 1];
  if (c == '!') return ScanExclamation(n, start, mode);
  if (c == '/') return ScanEndTag(n, start, mode);
  if (c == '?') {
    return ScanTerminated(n, start, start + 2, NodeKind::ProcessingInstruction, 0, '?',
                          u"processing_instruction", mode);
  }
  if (IsNameStart(c)) return ScanStartTag(n, start, mode);
  return ErrorMode(n, start, start + 1, u"first_tag_syntax", mode);
}

int32_t NodeScanner::NameEnd(int32_t from) const {
  int32_t i = from;
  for (; i < end_; ++i) {
    const char16_t c = text_[i];
    // Letters and most name characters lie above '>': one comparison.
    if (c > '>') continue;
    if (c == '/' || c == '>' || IsWhitespace(c)) break;
  }
  return i;
}

void NodeScanner::ScanStartTag(ScannedNode& n, int32_t start, Unterminated mode) {
  const int32_t nameStart = start + 1;
  const int32_t nameEnd = NameEnd(nameStart);
  const char16_t* const end = text_ + end_;
  for (const char16_t* p = text_ + nameEnd;;) {
    p = FindUnit(p, end, u'>', u'"', u'\'');
    if (p == end) break;
    const int32_t i = static_cast<int32_t>(p - text_);
    if (*p == '>') {
      const bool empty = text_[i - 1] == '/' &&
                         (i - 1 == nameEnd || IsWhitespace(text_[i - 2]) || IsQuote(text_[i - 2]));
      return Set(n, NodeKind::Element, start, i + 1 - start, empty, nameStart, nameEnd - nameStart);
    }
    if (OpensValue(nameEnd, i)) {
      p = FindUnit(p + 1, end, *p);
      if (p == end) break;
    }
    ++p;
  }
  return Unfinished(n, start, u"start_tag", mode);
}

// A quote opens a quoted value only when the last non-whitespace unit before
// it (within the tag, after its name) is a single '='.
bool NodeScanner::OpensValue(int32_t nameEnd, int32_t quote) const {
  int32_t i = quote - 1;
  while (i >= nameEnd && IsWhitespace(text_[i])) --i;
  if (i < nameEnd || text_[i] != '=') return false;
  --i;
  while (i >= nameEnd && IsWhitespace(text_[i])) --i;
  return i < nameEnd || text_[i] != '=';
}

void NodeScanner::ScanEndTag(ScannedNode& n, int32_t start, Unterminated mode) {
  const int32_t nameStart = start + 2;
  const int32_t nameEnd = NameEnd(nameStart);
  const char16_t* gt = FindUnit(text_ + nameEnd, text_ + end_, u'>');
  if (gt == text_ + end_) return Unfinished(n, start, u"end_tag", mode);
  const int32_t stop = static_cast<int32_t>(gt - text_) + 1;
  return Set(n, NodeKind::EndTag, start, stop - start, false, nameStart, nameEnd - nameStart);
}

// Ends at the first '>' whose preceding units complete the terminator
// (a, b, '>'), those units lying at or after `bodyStart`; a == 0 means a
// two-unit terminator.
void NodeScanner::ScanTerminated(ScannedNode& n, int32_t start, int32_t bodyStart, NodeKind kind,
                                 char16_t a, char16_t b, std::u16string_view type,
                                 Unterminated mode) {
  const int32_t before = a ? 2 : 1;
  int32_t i = bodyStart + before;
  while (i < end_) {
    i = static_cast<int32_t>(FindUnit(text_ + i, text_ + end_, u'>') - text_);
    if (i == end_) break;
    if (text_[i - 1] == b && (!a || text_[i - 2] == a)) {
      return Set(n, kind, start, i + 1 - start);
    }
    ++i;
  }
  return Unfinished(n, start, type, mode);
}

void NodeScanner::ScanExclamation(ScannedNode& n, int32_t start, Unterminated mode) {
  if (start + 2 >= end_) return Unfinished(n, start, u"tag", mode);
  const char16_t c = text_[start + 2];
  if (c == '-' || c == '[') {
    if (start + 3 >= end_) return Unfinished(n, start, u"tag", mode);
    if (c == '-') {
      if (text_[start + 3] != '-')
        return ErrorMode(n, start, start + 2, u"comment_tag_syntax", mode);
      return ScanTerminated(n, start, start + 4, NodeKind::Comment, '-', '-', u"comment", mode);
    }
    if (text_[start + 3] != 'C')
      return ErrorMode(n, start, start + 2, u"cdata_section_syntax", mode);
    return ScanTerminated(n, start, start + 4, NodeKind::CData, ']', ']', u"cdata_section", mode);
  }
  if (c == 'D') return ScanDocumentType(n, start);
  return ErrorMode(n, start, start + 2, u"exclamation_tag_syntax", mode);
}

namespace {

// A declaration inside a document type: quotes of either kind hide '>'.
int32_t SkipDeclaration(const char16_t* text, int32_t from, int32_t end) {
  char16_t quote = 0;
  for (int32_t i = from; i < end; ++i) {
    const char16_t c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (IsQuote(c)) {
      quote = c;
    } else if (c == '>') {
      return i;
    }
  }
  return -1;
}

}  // namespace

void NodeScanner::ScanDocumentType(ScannedNode& n, int32_t start) {
  int32_t i = start + 3;
  while (i < end_) {
    const char16_t c = text_[i];
    if (c == '>') return Set(n, NodeKind::DocumentType, start, i + 1 - start);
    if (c != '<') {
      ++i;
      continue;
    }
    if (i + 1 < end_ && text_[i + 1] == '!') {
      if (i + 2 >= end_) break;
      const char16_t kind = text_[i + 2];
      if (kind == '-' || kind == '[') {
        ScannedNode nested;
        ScanExclamation(nested, i, Unterminated::kQuiet);
        if (unterminated_) break;
        i = nested.start + nested.length;
        continue;
      }
      if (kind != 'E' && kind != 'A' && kind != 'N') Report(u"doctype_tag_syntax", u"", i);
      const int32_t gt = SkipDeclaration(text_, i + 2, end_);
      if (gt < 0) break;
      i = gt + 1;
      continue;
    }
    ScannedNode nested;
    ScanMarkup(nested, i, Unterminated::kQuiet);
    if (unterminated_) break;
    i = nested.start + nested.length;
  }
  unterminated_ = false;
  return Unfinished(n, start, u"document_type", Unterminated::kReport);
}

int32_t NodeScanner::SkipTagBody(int32_t from) const {
  char16_t last = 0;
  char16_t beforeLast = 0;
  for (int32_t i = from; i < end_; ++i) {
    const char16_t c = text_[i];
    if (c == '>' || c == '<') return i;
    if (IsQuote(c) && last == '=' && beforeLast != '=') {
      const char16_t* close = std::char_traits<char16_t>::find(text_ + i + 1, end_ - i - 1, c);
      if (!close) return -1;
      i = static_cast<int32_t>(close - text_);
    }
    if (!IsWhitespace(c)) {
      beforeLast = last;
      last = c;
    }
  }
  return -1;
}

void NodeScanner::ErrorMode(ScannedNode& n, int32_t start, int32_t from, std::u16string_view key,
                            Unterminated mode) {
  Report(key, u"", start);
  const int32_t stop = SkipTagBody(from);
  if (stop < 0) return Unfinished(n, start, u"tag", mode);
  const int32_t end = text_[stop] == '>' ? stop + 1 : stop;
  return Set(n, NodeKind::Error, start, end - start);
}

void NodeScanner::Unfinished(ScannedNode& n, int32_t start, std::u16string_view type,
                             Unterminated mode) {
  unterminated_ = true;
  if (mode == Unterminated::kReport) Report(u"unterminated_tag_syntax", type, start);
  return Set(n, NodeKind::Error, start, end_ - start);
}

void NodeScanner::Report(std::u16string_view key, std::u16string_view type, int32_t offset) {
  if (errors_) errors_->OnSyntaxError(key, type, offset);
}

}  // namespace vwi
