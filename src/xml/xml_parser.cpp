#include "xml/xml_parser.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#include "xml/result_log.h"

namespace vwi {

namespace flags = element_flags;

size_t XmlParser::NameHash::operator()(std::u16string_view name) const {
  uint64_t h = seed ^ (name.size() * 0x9E3779B97F4A7C15ull);
  for (char16_t c : name) {
    h = (h ^ c) * 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  return static_cast<size_t>(h ^ (h >> 29));
}

bool XmlParser::Run() {
  XmlDocument& d = doc_;
  d.parentIndex_ = d.currentIndex_ = d.childIndex_ = 0;
  d.currentIsElement_ = false;
  d.nextFreeIndex_ = 1;
  index_.ClearOverflow();
  const int32_t length = static_cast<int32_t>(d.text_.size());
  if (!index_.EnsureCapacity(std::max(1, length / 64 + 8)) && index_.capacity() == 0) return false;
  index_[0] = ElementRecord{};
  if (length == 0) return false;

  stack_.reserve(7);
  NodeScanner scanner(d.text_, 0, record_ ? this : nullptr);
  ScannedNode node;
  for (bool more = true; more;) {
    scanner.Next(node);
    switch (node.kind) {
      case NodeKind::EndOfText:
        more = false;
        break;
      case NodeKind::Element:
        more = Open(node);
        break;
      case NodeKind::EndTag:
        Close(node);
        break;
      case NodeKind::Error:
        MarkIllFormed();
        MarkErrorInside();
        break;
      default:
        break;
    }
  }
  while (!stack_.empty()) CloseUnended(length);

  ElementRecord& document = index_[0];
  document.length = length;
  if (d.nextFreeIndex_ == 1) {
    Record(u"no_root_element", {}, {}, -1);
  } else if (index_[document.firstChild].next != 0) {
    Record(u"root_has_sibling", {}, {}, -1);
  }
  if (parentsStale_) FixParents();
  return !(document.levelAndFlags & flags::kIllFormed) && document.firstChild != 0 &&
         index_[document.firstChild].next == 0;
}

void XmlParser::OnSyntaxError(std::u16string_view key, std::u16string_view type, int32_t offset) {
  Record(key, type.empty() ? u"" : u"type", type, offset);
}

void XmlParser::Record(std::u16string_view key, std::u16string_view textName,
                       std::u16string_view text, int64_t offset, const int64_t* offset2) {
  if (!record_ || doc_.resultLog_.size() > kResultLogLimit) return;
  ResultEntry entry{key, textName, text, offset >= 0 ? u"offset" : u"", offset};
  if (offset2) entry.offset2 = *offset2;
  RecordResult(doc_.resultLog_, entry);
}

bool XmlParser::Open(const ScannedNode& node) {
  int32_t& next = doc_.nextFreeIndex_;
  if (next == index_.capacity() && !index_.Grow()) {
    // No room for another record: what is indexed so far stands, the rest of
    // the text is not indexed and the document counts as ill-formed.
    MarkIllFormed();
    return false;
  }
  const int32_t i = next++;
  const int32_t parent = stack_.empty() ? 0 : stack_.back().index;
  ElementRecord& r = index_[i];
  r.start = node.start;
  r.length = node.length;
  r.levelAndFlags = static_cast<uint32_t>(std::min<size_t>(stack_.size(), kMaxLevelField));
  r.parent = parent;
  r.firstChild = 0;
  r.next = 0;
  r.prev = 0;
  index_.SetTagLengths(i, node.length, 0);
  AppendChild(parent, i);
  if (!node.empty) Push(OpenElement{i, node.nameStart, node.nameLength, -1});
  return true;
}

void XmlParser::AppendChild(int32_t parent, int32_t i) {
  ElementRecord& p = index_[parent];
  ElementRecord& r = index_[i];
  if (p.firstChild == 0) {
    p.firstChild = i;
    r.levelAndFlags |= flags::kFirstChild;
    r.prev = i;
    return;
  }
  ElementRecord& first = index_[p.firstChild];
  const int32_t last = first.prev;
  index_[last].next = i;
  r.prev = last;
  first.prev = i;
}

void XmlParser::Close(const ScannedNode& node) {
  const std::u16string_view name = Span(node.nameStart, node.nameLength);
  const int32_t match = FindOpen(name);
  if (match < 0) {
    MarkIllFormed();
    MarkErrorInside();
    Record(u"lone_end_tag", u"tagname", name, node.start);
    return;
  }
  while (static_cast<int32_t>(stack_.size()) - 1 > match) CloseUnended(node.start + 1);
  const int32_t i = stack_.back().index;
  ElementRecord& r = index_[i];
  r.length = node.start + node.length - r.start;
  index_.SetTagLengths(i, index_.StartTagLength(i), node.length);
  Pop();
}

void XmlParser::CloseUnended(int32_t closedAt) {
  const OpenElement open = stack_.back();
  const int32_t i = open.index;
  const int32_t parent = stack_.size() > 1 ? stack_[stack_.size() - 2].index : 0;
  MarkIllFormed();
  ElementRecord& r = index_[i];
  const int32_t startTag = index_.StartTagLength(i);
  r.length = startTag;
  index_.SetTagLengths(i, startTag, 0);
  r.levelAndFlags |= flags::kUnended;

  // The children follow it as siblings. An open element is always the last
  // child of its parent, so the chain is spliced in without a walk; the
  // children's parent fields are put right once, after the parse.
  if (r.firstChild) {
    const int32_t first = r.firstChild;
    ElementRecord& c = index_[first];
    const int32_t last = c.prev;
    c.levelAndFlags &= ~flags::kFirstChild;
    c.prev = i;
    r.next = first;
    r.firstChild = 0;
    ElementRecord& p = index_[parent];
    index_[p.firstChild].prev = last;
    parentsStale_ = true;
  }
  if (r.levelAndFlags & flags::kErrorInside) {
    r.levelAndFlags &= ~flags::kErrorInside;
    if (parent) index_[parent].levelAndFlags |= flags::kErrorInside;
  }
  const int64_t offset2 = closedAt;
  Record(u"unended_start_tag", u"tagname", Span(open.nameStart, open.nameLength), r.start,
         &offset2);
  Pop();
}

void XmlParser::MarkIllFormed() { index_[0].levelAndFlags |= flags::kIllFormed; }

void XmlParser::MarkErrorInside() {
  if (!stack_.empty()) index_[stack_.back().index].levelAndFlags |= flags::kErrorInside;
}

void XmlParser::Push(const OpenElement& open) {
  stack_.push_back(open);
  if (!nameTableActive_) return;
  const int32_t position = static_cast<int32_t>(stack_.size()) - 1;
  auto [it, inserted] = topmost_.try_emplace(Span(open.nameStart, open.nameLength), position);
  if (!inserted) {
    stack_.back().prevSameName = it->second;
    it->second = position;
  }
}

void XmlParser::Pop() {
  const OpenElement open = stack_.back();
  stack_.pop_back();
  if (!nameTableActive_) return;
  const std::u16string_view name = Span(open.nameStart, open.nameLength);
  if (open.prevSameName < 0) {
    topmost_.erase(name);
  } else {
    topmost_[name] = open.prevSameName;
  }
}

int32_t XmlParser::FindOpen(std::u16string_view name) {
  if (stack_.empty()) return -1;
  const OpenElement& top = stack_.back();
  if (Span(top.nameStart, top.nameLength) == name) return static_cast<int32_t>(stack_.size()) - 1;
  if (!nameTableActive_) ActivateNameTable();
  auto it = topmost_.find(name);
  return it == topmost_.end() ? -1 : it->second;
}

void XmlParser::ActivateNameTable() {
  static std::atomic<uint64_t> counter{0};
  const uint64_t seed =
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull) ^ reinterpret_cast<uintptr_t>(this);
  topmost_ = std::unordered_map<std::u16string_view, int32_t, NameHash>(stack_.size() * 2 + 16,
                                                                        NameHash{seed});
  nameTableActive_ = true;
  std::vector<OpenElement> open;
  open.swap(stack_);
  stack_.reserve(open.size());
  for (OpenElement& e : open) {
    e.prevSameName = -1;
    Push(e);
  }
}

void XmlParser::FixParents() {
  for (int32_t p = 0; p < doc_.nextFreeIndex_; ++p) {
    for (int32_t c = index_[p].firstChild; c != 0; c = index_[c].next) index_[c].parent = p;
  }
}

}  // namespace vwi
