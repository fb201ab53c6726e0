#include "xml/xml_document.h"

#include <algorithm>
#include <limits>

#include "xml/entities.h"
#include "xml/name_match.h"
#include "xml/node_scanner.h"
#include "xml/xml_parser.h"

namespace vwi {
namespace {

// Offsets are 32-bit; longer texts are not taken.
constexpr size_t kMaxTextLength = std::numeric_limits<int32_t>::max() - 1;

bool IsCandidateNameDelimiter(char16_t c) {
  return NodeScanner::IsWhitespace(c) || IsNameDelimiter(c);
}

}  // namespace

bool XmlDocument::SetText(const char16_t* text) {
  return SetText(text ? std::u16string_view(text) : std::u16string_view());
}

bool XmlDocument::SetText(std::u16string_view text) {
  if (text.size() > kMaxTextLength) text = {};
  text_.assign(text);
  resultLog_.clear();
  return Parse(true);
}

bool XmlDocument::SetText(std::u16string&& text) {
  text_ = std::move(text);
  if (text_.size() > kMaxTextLength) text_.clear();
  resultLog_.clear();
  return Parse(true);
}

void XmlDocument::SetLogText(std::u16string_view log) {
  text_.assign(log.size() > kMaxTextLength ? std::u16string_view() : log);
  resultLog_.clear();
  Parse(false);
}

bool XmlDocument::Parse(bool record) { return XmlParser(*this, record).Run(); }

// ---- Navigation ----

std::u16string_view XmlDocument::CandidateName(int32_t index) const {
  const ElementRecord& r = elements_[index];
  const std::u16string_view tag =
      std::u16string_view(text_).substr(r.start, elements_.StartTagLength(index));
  size_t p = 1;
  while (p < tag.size() && NodeScanner::IsWhitespace(tag[p])) ++p;
  size_t q = p;
  while (q < tag.size() && !IsCandidateNameDelimiter(tag[q])) ++q;
  if (q == p && p < tag.size()) ++q;
  return tag.substr(p, q - p);
}

int32_t XmlDocument::MatchCandidate(int32_t candidate, std::u16string_view name, bool named) const {
  for (int32_t c = candidate; c != 0; c = elements_[c].next) {
    if (!named || NameEquals(CandidateName(c), name)) return c;
  }
  return 0;
}

bool XmlDocument::FindElement(const char16_t* name) {
  return FindElementImpl(name ? std::u16string_view(name) : std::u16string_view(), name && *name);
}

bool XmlDocument::FindElement(std::u16string_view name) {
  return FindElementImpl(name, !name.empty());
}

bool XmlDocument::FindElementImpl(std::u16string_view name, bool named) {
  if (!IsIndexed() || (named && name[0] == '/')) return false;
  const int32_t first =
      currentIndex_ ? elements_[currentIndex_].next : elements_[parentIndex_].firstChild;
  const int32_t found = MatchCandidate(first, name, named);
  if (!found) return false;
  parentIndex_ = elements_[found].parent;
  currentIndex_ = found;
  childIndex_ = 0;
  currentIsElement_ = true;
  return true;
}

bool XmlDocument::FindChildElement(const char16_t* name) {
  return FindChildElementImpl(name ? std::u16string_view(name) : std::u16string_view(),
                              name && *name);
}

bool XmlDocument::FindChildElement(std::u16string_view name) {
  return FindChildElementImpl(name, !name.empty());
}

bool XmlDocument::FindChildElementImpl(std::u16string_view name, bool named) {
  if (!IsIndexed()) return false;
  if (currentIndex_ == 0) FindElementImpl({}, false);
  if (named && name[0] == '/') return false;
  const int32_t first =
      childIndex_ ? elements_[childIndex_].next : elements_[currentIndex_].firstChild;
  const int32_t found = MatchCandidate(first, name, named);
  if (!found) return false;
  childIndex_ = found;
  currentIndex_ = elements_[found].parent;
  parentIndex_ = currentIndex_ ? elements_[currentIndex_].parent : 0;
  currentIsElement_ = currentIndex_ != 0;
  return true;
}

bool XmlDocument::EnterElement() {
  if (currentIndex_ == 0 || !currentIsElement_) return false;
  parentIndex_ = currentIndex_;
  currentIndex_ = childIndex_;
  childIndex_ = 0;
  currentIsElement_ = currentIndex_ != 0;
  return true;
}

bool XmlDocument::LeaveElement() {
  if (parentIndex_ == 0) return false;
  childIndex_ = currentIndex_;
  currentIndex_ = parentIndex_;
  parentIndex_ = elements_[currentIndex_].parent;
  currentIsElement_ = true;
  return true;
}

// ---- Text ----

std::u16string XmlDocument::GetElementText(int32_t index) const {
  if (index <= 0 || index >= nextFreeIndex_) return {};
  const ElementRecord& r = elements_[index];
  const int32_t startTag = elements_.StartTagLength(index);
  if (startTag >= r.length || r.firstChild != 0) return {};
  const int32_t contentStart = r.start + startTag;
  const int32_t contentLength = r.length - startTag - elements_.EndTagLength(index);
  if (contentLength <= 0) return {};
  const std::u16string_view all(text_);
  const std::u16string_view content = all.substr(contentStart, contentLength);
  if (content.find(u'<') == std::u16string_view::npos) return DecodeEntities(content);

  std::u16string out;
  NodeScanner scanner(all.substr(0, contentStart + contentLength), contentStart);
  for (ScannedNode node = scanner.Next(); node.kind != NodeKind::EndOfText; node = scanner.Next()) {
    if (node.kind == NodeKind::Text) {
      out += DecodeEntities(all.substr(node.start, node.length));
    } else if (node.kind == NodeKind::CData && node.length > 12) {
      out += all.substr(node.start + 9, node.length - 12);
    }
  }
  return out;
}

std::u16string_view XmlDocument::StartTagName(int32_t index) const {
  const ElementRecord& r = elements_[index];
  const std::u16string_view tag =
      std::u16string_view(text_).substr(r.start, elements_.StartTagLength(index));
  size_t end = 1;
  while (end < tag.size() && tag[end] != '/' && tag[end] != '>' &&
         !NodeScanner::IsWhitespace(tag[end])) {
    ++end;
  }
  return tag.substr(1, end - 1);
}

std::u16string XmlDocument::GetElementName(int32_t index) const {
  if (index <= 0 || index >= nextFreeIndex_) return {};
  return std::u16string(StartTagName(index));
}

}  // namespace vwi
