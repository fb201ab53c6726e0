// Builds a document's element index in one pass over its text, repairing
// mismatched end tags as it goes.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "xml/node_scanner.h"
#include "xml/xml_document.h"

namespace vwi {

class XmlParser : private IScanErrorSink {
 public:
  XmlParser(XmlDocument& doc, bool record) : doc_(doc), index_(doc.elements_), record_(record) {}
  // The verdict: well-formed with a single root element.
  bool Run();

 private:
  struct OpenElement {
    int32_t index;
    int32_t nameStart;
    int32_t nameLength;
    int32_t prevSameName;  // next lower stack position with the same name, or -1
  };
  // Seeded so that crafted names cannot force every name into one chain.
  struct NameHash {
    uint64_t seed;
    size_t operator()(std::u16string_view name) const;
  };

  void OnSyntaxError(std::u16string_view key, std::u16string_view type, int32_t offset) override;
  bool Open(const ScannedNode& node);
  void Close(const ScannedNode& node);
  void CloseUnended(int32_t closedAt);
  void MarkIllFormed();
  void MarkErrorInside();
  void AppendChild(int32_t parent, int32_t index);
  void Push(const OpenElement& open);
  void Pop();
  int32_t FindOpen(std::u16string_view name);
  void ActivateNameTable();
  void FixParents();
  std::u16string_view Span(int32_t start, int32_t length) const {
    return std::u16string_view(doc_.text_).substr(start, length);
  }
  void Record(std::u16string_view key, std::u16string_view textName, std::u16string_view text,
              int64_t offset, const int64_t* offset2 = nullptr);

  XmlDocument& doc_;
  ElementIndex& index_;
  bool record_;
  bool parentsStale_ = false;
  std::vector<OpenElement> stack_;
  // Built only after the first end tag that does not close the innermost
  // element, so that lone end tags cost no walk of a deep stack.
  bool nameTableActive_ = false;
  std::unordered_map<std::u16string_view, int32_t, NameHash> topmost_{0, NameHash{0}};
};

}  // namespace vwi
