// A UTF-16 XML document with a flat element index and a three-level cursor.
//
// The text is kept whole; parsing only records where each element lies.
// Element texts are cut out and decoded on demand. The parser is lenient: it
// indexes what it can, repairs mismatched end tags, and notes every problem
// in the result log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "xml/element_index.h"
#include "xml/xml_platform.h"

namespace vwi {

class XmlDocument {
 public:
  XmlDocument() = default;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Replaces the text (null means empty), clears the result log and parses.
  // True only for a well-formed document with a single root element.
  bool SetText(const char16_t* text);
  bool SetText(std::u16string_view text);
  // The same, taking over the caller's string instead of copying it.
  bool SetText(std::u16string&& text);

  // Reads a file, detects its encoding, converts it to UTF-16 and parses it.
  // False when the file cannot be read or is not well-formed.
  bool LoadFile(std::u16string_view path);
  bool LoadFile(std::u16string_view path, IRawFileSystem& files, ICodePageConverter& converter);
  // LoadFile refuses a file longer than `bytes` (as too large) before reading
  // any of it; 0 keeps the reader's own limit.
  void SetFileSizeLimit(int64_t bytes) { fileSizeLimit_ = bytes; }

  // Selects the next element at the current level, optionally the next one
  // with the given name. On failure the cursor is unchanged.
  bool FindElement(const char16_t* name = nullptr);
  bool FindElement(std::u16string_view name);
  // Selects the next child of the current element, optionally by name.
  bool FindChildElement(const char16_t* name = nullptr);
  bool FindChildElement(std::u16string_view name);
  // The current element becomes the parent level; its selected child becomes current.
  bool EnterElement();
  // Back to the parent level; the former current element becomes the selected child.
  bool LeaveElement();

  // The decoded text content of an element; empty for index 0, for empty or
  // unended elements, and for elements that have child elements.
  std::u16string GetElementText(int32_t index) const;
  // The element's name as written in its start tag; empty for index 0.
  std::u16string GetElementName(int32_t index) const;
  // The decoded value of an attribute of the element's start tag. False (and
  // `value` untouched) when the element has no such attribute.
  bool GetAttribute(int32_t index, std::u16string_view name, std::u16string& value) const;

  // Appends `<name/>` after the current element (or as the last child of the
  // parent level) and makes it current.
  bool AddElement(std::u16string_view name);
  // Sets or adds name="value" (value encoded) on the element's start tag.
  bool SetAttribute(int32_t index, std::u16string_view name, std::u16string_view value);

  const std::u16string& text() const { return text_; }
  const std::u16string& resultLog() const { return resultLog_; }
  int32_t parentIndex() const { return parentIndex_; }
  int32_t currentIndex() const { return currentIndex_; }
  int32_t childIndex() const { return childIndex_; }
  int32_t nextFreeIndex() const { return nextFreeIndex_; }
  bool currentIsElement() const { return currentIsElement_; }
  // Byte-order-mark flags of the last loaded file (0x1 UTF-16LE, 0x4 UTF-8, 0x80 UTF-16BE).
  uint32_t flags() const { return flags_; }
  // Records 0 .. nextFreeIndex() - 1 are valid after a parse.
  const ElementIndex& elements() const { return elements_; }
  bool IsIndexed() const { return elements_.capacity() > 0; }

  // Takes a result log's text and indexes it without recording results of
  // its own (used to edit a log).
  void SetLogText(std::u16string_view log);

 private:
  friend class XmlParser;

  // Builds the index over text_; results go to the log when `record` is set.
  bool Parse(bool record);
  int32_t MatchCandidate(int32_t candidate, std::u16string_view name, bool named) const;
  bool FindElementImpl(std::u16string_view name, bool named);
  bool FindChildElementImpl(std::u16string_view name, bool named);
  std::u16string_view CandidateName(int32_t index) const;
  std::u16string_view StartTagName(int32_t index) const;
  // Inserts units into the text and moves the index over them.
  void InsertText(int32_t offset, std::u16string_view units, int32_t editedIndex);
  void ReplaceText(int32_t offset, int32_t count, std::u16string_view units, int32_t editedIndex);

  std::u16string text_;
  std::u16string resultLog_;
  int32_t parentIndex_ = 0;
  int32_t currentIndex_ = 0;
  int32_t childIndex_ = 0;
  int32_t nextFreeIndex_ = 0;
  bool currentIsElement_ = false;
  uint32_t flags_ = 0;
  int64_t fileSizeLimit_ = 0;
  ElementIndex elements_;
};

}  // namespace vwi
