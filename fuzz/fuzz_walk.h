// Shared by the fuzz targets: walks a parsed document every way a reader
// can, and aborts when the index breaks one of its invariants.
#pragma once

#include <cstdlib>
#include <string>

#include "xml/xml_document.h"

namespace vwi {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

inline void CheckIndex(const XmlDocument& doc) {
  const ElementIndex& index = doc.elements();
  const int64_t size = static_cast<int64_t>(doc.text().size());
  const int32_t count = doc.nextFreeIndex();
  if (!doc.IsIndexed()) return;
  Check(index[0].length == size);
  for (int32_t i = 1; i < count; ++i) {
    const ElementRecord& r = index[i];
    Check(r.start >= 0 && r.length > 0 && r.start + int64_t{r.length} <= size);
    Check(doc.text()[r.start] == u'<');
    Check(index.StartTagLength(i) <= r.length);
    Check(index.StartTagLength(i) + int64_t{index.EndTagLength(i)} <= r.length);
    Check(r.parent >= 0 && r.parent < count && r.parent != i);
  }
  // Every parent's chain: document order, back links, the circular first prev.
  int64_t linked = 0;
  for (int32_t p = 0; p < count; ++p) {
    const int32_t first = index[p].firstChild;
    if (!first) continue;
    Check(first > p && first < count);
    int32_t last = first;
    for (int32_t c = first; c; c = index[c].next) {
      Check(c < count && index[c].parent == p);
      Check(++linked < count);
      if (c != first) Check(index[index[c].prev].next == c && index[c].prev < c);
      last = c;
    }
    Check(index[first].prev == last);
  }
  Check(linked == count - 1);
}

inline void WalkDocument(XmlDocument& doc) {
  CheckIndex(doc);
  std::u16string value;
  for (int32_t i = 0; i <= doc.nextFreeIndex(); ++i) {
    doc.GetElementText(i);
    doc.GetElementName(i);
    doc.GetAttribute(i, u"encoding", value);
  }
  // The cursor walk a reader does: every level, entering and leaving.
  int32_t steps = 0;
  int32_t depth = 0;
  while (steps++ < 100000) {
    if (doc.FindChildElement(nullptr)) {
      if (doc.EnterElement()) ++depth;
      doc.GetElementText(doc.currentIndex());
      continue;
    }
    if (doc.FindElement(nullptr)) continue;
    if (depth == 0 || !doc.LeaveElement()) break;
    --depth;
  }
  doc.FindElement(u"a[1]");
  doc.FindChildElement(u"/x");
  // The log's own editing on whatever the text is.
  if (doc.text().size() < 4096) {
    doc.AddElement(u"r");
    doc.SetAttribute(doc.currentIndex(), u"x", u"<&'\">");
    doc.SetAttribute(1, u"x", u"1");
    CheckIndex(doc);
  }
}

}  // namespace vwi
