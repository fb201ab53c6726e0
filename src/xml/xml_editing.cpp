// The small editing operations that the result log is written with.
#include <limits>

#include "xml/attribute_scan.h"
#include "xml/entities.h"
#include "xml/xml_document.h"

namespace vwi {

bool XmlDocument::GetAttribute(int32_t index, std::u16string_view name,
                               std::u16string& value) const {
  if (index <= 0 || index >= nextFreeIndex_ || name.empty()) return false;
  const ElementRecord& r = elements_[index];
  const std::u16string_view tag =
      std::u16string_view(text_).substr(r.start, elements_.StartTagLength(index));
  const AttributeSpan a = FindAttribute(tag, name, false);
  if (!a.found) return false;
  value = DecodeEntities(tag.substr(a.valueStart, a.valueEnd - a.valueStart));
  return true;
}

void XmlDocument::ReplaceText(int32_t offset, int32_t count, std::u16string_view units,
                              int32_t editedIndex) {
  text_.replace(offset, count, units);
  const int32_t diff = static_cast<int32_t>(units.size()) - count;
  for (int32_t i = 1; i < nextFreeIndex_; ++i) {
    ElementRecord& r = elements_[i];
    if (i == editedIndex) continue;
    if (r.start >= offset) {
      r.start += diff;
    } else if (r.start + r.length > offset) {
      r.length += diff;
    }
  }
  elements_[0].length = static_cast<int32_t>(text_.size());
}

void XmlDocument::InsertText(int32_t offset, std::u16string_view units, int32_t editedIndex) {
  ReplaceText(offset, 0, units, editedIndex);
}

bool XmlDocument::AddElement(std::u16string_view name) {
  if (name.empty()) return false;
  if (!IsIndexed()) Parse(false);
  if (text_.size() + name.size() + 3 >
      static_cast<size_t>(std::numeric_limits<int32_t>::max() - 1)) {
    return false;
  }
  int32_t parent = parentIndex_;
  int32_t after = 0;
  int32_t offset = 0;
  if (currentIndex_) {
    after = currentIndex_;
    parent = elements_[after].parent;
    offset = elements_[after].start + elements_[after].length;
  } else {
    const int32_t first = elements_[parent].firstChild;
    if (first) after = elements_[first].prev;
    if (parent == 0) {
      offset = static_cast<int32_t>(text_.size());
    } else if (after) {
      offset = elements_[after].start + elements_[after].length;
    } else {
      const int32_t endTag = elements_.EndTagLength(parent);
      if (endTag == 0) return false;  // an empty or unended element has no content to add to
      offset = elements_[parent].start + elements_[parent].length - endTag;
    }
  }
  if (nextFreeIndex_ == elements_.capacity() && !elements_.Grow()) return false;

  std::u16string tag;
  tag.reserve(name.size() + 3);
  tag += u'<';
  tag += name;
  tag += u"/>";
  const int32_t n = nextFreeIndex_++;
  elements_[n] = ElementRecord{};
  InsertText(offset, tag, n);

  ElementRecord& r = elements_[n];
  r.start = offset;
  r.length = static_cast<int32_t>(tag.size());
  elements_.SetTagLengths(n, r.length, 0);
  r.parent = parent;
  const uint32_t level =
      parent ? (elements_[parent].levelAndFlags & element_flags::kLevelMask) + 1 : 0;
  r.levelAndFlags = std::min<uint32_t>(level, kMaxLevelField);
  if (after) {
    ElementRecord& a = elements_[after];
    r.next = a.next;
    r.prev = after;
    const int32_t first = elements_[parent].firstChild;
    if (a.next) {
      elements_[a.next].prev = n;
    } else {
      elements_[first].prev = n;
    }
    a.next = n;
  } else {
    elements_[parent].firstChild = n;
    r.levelAndFlags |= element_flags::kFirstChild;
    r.prev = n;
  }
  parentIndex_ = parent;
  currentIndex_ = n;
  childIndex_ = 0;
  currentIsElement_ = true;
  return true;
}

bool XmlDocument::SetAttribute(int32_t index, std::u16string_view name, std::u16string_view value) {
  if (index <= 0 || index >= nextFreeIndex_ || name.empty()) return false;
  ElementRecord& r = elements_[index];
  const int32_t startTag = elements_.StartTagLength(index);
  const std::u16string_view tag = std::u16string_view(text_).substr(r.start, startTag);
  const AttributeSpan a = FindAttribute(tag, name, false);
  std::u16string quoted = u"\"" + EncodeEntities(value, true) + u"\"";
  int32_t at = a.insertAt;
  int32_t removed = 0;
  if (a.found) {
    at = a.spanStart;
    removed = a.spanEnd - a.spanStart;
  } else {
    quoted = u" " + std::u16string(name) + u"=" + quoted;
  }
  const int64_t grown = static_cast<int64_t>(text_.size()) + quoted.size() - removed;
  if (grown > std::numeric_limits<int32_t>::max() - 1) return false;
  const int32_t diff = static_cast<int32_t>(quoted.size()) - removed;
  ReplaceText(r.start + at, removed, quoted, index);
  ElementRecord& edited = elements_[index];
  edited.length += diff;
  elements_.SetTagLengths(index, startTag + diff, elements_.EndTagLength(index));
  return true;
}

}  // namespace vwi
