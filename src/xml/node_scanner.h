// Reads a document text one node at a time.
#pragma once

#include <cstdint>
#include <string_view>

namespace vwi {

// The positive kinds are single bits so that sets of kinds can be masked.
enum class NodeKind : int32_t {
  EndTag = 0,
  Element = 1,
  Text = 2,
  Whitespace = 4,
  CData = 8,
  ProcessingInstruction = 16,
  Comment = 32,
  DocumentType = 64,
  Error = -1,
  EndOfText = -2,
};

struct ScannedNode {
  NodeKind kind = NodeKind::EndOfText;
  int32_t start = 0;
  int32_t length = 0;
  bool empty = false;     // a start tag closed by "/>"
  int32_t nameStart = 0;  // start and end tags only
  int32_t nameLength = 0;
};

// Receives each syntax error once: the key, the unterminated node's type
// (empty for other errors) and the offset of the node's start.
class IScanErrorSink {
 public:
  virtual ~IScanErrorSink() = default;
  virtual void OnSyntaxError(std::u16string_view key, std::u16string_view type, int32_t offset) = 0;
};

// Scans `text` from `offset`. Nodes never extend past the end of `text`, so a
// scanner over a slice of a document stops at the slice's end. Every call to
// Next consumes at least one unit unless it returns EndOfText.
class NodeScanner {
 public:
  NodeScanner(std::u16string_view text, int32_t offset, IScanErrorSink* errors = nullptr)
      : text_(text.data()),
        end_(static_cast<int32_t>(text.size())),
        pos_(offset),
        errors_(errors) {}

  ScannedNode Next() {
    ScannedNode n;
    Next(n);
    return n;
  }
  void Next(ScannedNode& n);
  int32_t offset() const { return pos_; }

  static bool IsWhitespace(char16_t c) {
    return c <= ' ' && (c == ' ' || c == '\t' || c == '\n' || c == '\r');
  }
  static bool IsNameStart(char16_t c) {
    return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x7B;
  }

 private:
  enum class Unterminated { kReport, kQuiet };

  void ScanMarkup(ScannedNode& n, int32_t start, Unterminated mode);
  void ScanCharacterData(ScannedNode& n, int32_t start);
  void ScanStartTag(ScannedNode& n, int32_t start, Unterminated mode);
  void ScanEndTag(ScannedNode& n, int32_t start, Unterminated mode);
  void ScanTerminated(ScannedNode& n, int32_t start, int32_t bodyStart, NodeKind kind, char16_t a,
                      char16_t b, std::u16string_view type, Unterminated mode);
  void ScanExclamation(ScannedNode& n, int32_t start, Unterminated mode);
  void ScanDocumentType(ScannedNode& n, int32_t start);
  void ErrorMode(ScannedNode& n, int32_t start, int32_t from, std::u16string_view key,
                 Unterminated mode);
  // Skips as inside a start tag from `from`; the offset of the next '>' or
  // '<' outside quoted values, or -1 at the end of the text.
  int32_t SkipTagBody(int32_t from) const;
  int32_t NameEnd(int32_t from) const;
  bool OpensValue(int32_t nameEnd, int32_t quote) const;
  void Unfinished(ScannedNode& n, int32_t start, std::u16string_view type, Unterminated mode);
  // Fills the node in place: returning it by value through the scan
  // functions costs a stalled copy per node.
  static void Set(ScannedNode& n, NodeKind kind, int32_t start, int32_t length, bool empty = false,
                  int32_t nameStart = 0, int32_t nameLength = 0) {
    n.kind = kind;
    n.start = start;
    n.length = length;
    n.empty = empty;
    n.nameStart = nameStart;
    n.nameLength = nameLength;
  }
  void Report(std::u16string_view key, std::u16string_view type, int32_t offset);

  const char16_t* text_;
  int32_t end_;
  int32_t pos_;
  IScanErrorSink* errors_;
  bool unterminated_ = false;  // the last scan ran into the end of the text
};

}  // namespace vwi
