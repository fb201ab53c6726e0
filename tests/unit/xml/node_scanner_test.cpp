// The node scanner: every node kind, where each ends, and its error rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "xml/node_scanner.h"

namespace vwi {
namespace {

struct Errors : IScanErrorSink {
  std::vector<std::u16string> seen;
  void OnSyntaxError(std::u16string_view key, std::u16string_view type, int32_t offset) override {
    std::u16string e(key);
    if (!type.empty()) e += u"/" + std::u16string(type);
    e += u"@" + DecimalText(offset);
    seen.push_back(e);
  }
};

struct Node {
  NodeKind kind;
  int32_t start;
  int32_t length;
  bool operator==(const Node&) const = default;
};

std::vector<Node> Scan(std::u16string_view text, Errors* errors = nullptr) {
  std::vector<Node> nodes;
  NodeScanner scanner(text, 0, errors);
  for (ScannedNode n = scanner.Next(); n.kind != NodeKind::EndOfText; n = scanner.Next()) {
    nodes.push_back({n.kind, n.start, n.length});
  }
  return nodes;
}

ScannedNode First(std::u16string_view text) { return NodeScanner(text, 0).Next(); }

TEST(NodeScanner, KindsAreMaskableBits) {
  EXPECT_EQ(static_cast<int>(NodeKind::EndTag), 0);
  EXPECT_EQ(static_cast<int>(NodeKind::Element) | static_cast<int>(NodeKind::Text) |
                static_cast<int>(NodeKind::Whitespace) | static_cast<int>(NodeKind::CData) |
                static_cast<int>(NodeKind::ProcessingInstruction) |
                static_cast<int>(NodeKind::Comment) | static_cast<int>(NodeKind::DocumentType),
            127);
  EXPECT_EQ(static_cast<int>(NodeKind::Error), -1);
  EXPECT_EQ(static_cast<int>(NodeKind::EndOfText), -2);
}

TEST(NodeScanner, WhitespaceBecomesTextAtTheFirstOtherCharacter) {
  EXPECT_EQ(Scan(u" \t\r\n<a/>"),
            (std::vector<Node>{{NodeKind::Whitespace, 0, 4}, {NodeKind::Element, 4, 4}}));
  EXPECT_EQ(Scan(u"  x y<a/>"),
            (std::vector<Node>{{NodeKind::Text, 0, 5}, {NodeKind::Element, 5, 4}}));
  EXPECT_EQ(Scan(u"abc"), (std::vector<Node>{{NodeKind::Text, 0, 3}}));
  EXPECT_EQ(Scan(u"  "), (std::vector<Node>{{NodeKind::Whitespace, 0, 2}}));
  EXPECT_EQ(NodeScanner(u"", 0).Next().kind, NodeKind::EndOfText);
}

TEST(NodeScanner, StartTagNamesAndQuotedValues) {
  ScannedNode n = First(u"<a x='>' y=\"/>\">rest");
  EXPECT_EQ(n.kind, NodeKind::Element);
  EXPECT_EQ(n.length, 16);
  EXPECT_FALSE(n.empty);
  EXPECT_EQ(n.nameStart, 1);
  EXPECT_EQ(n.nameLength, 1);
  // A quote opens a value only after '='; elsewhere it is an ordinary character.
  EXPECT_EQ(First(u"<a x'>'>").length, 6);
  EXPECT_EQ(First(u"<a x = '>' >").length, 12);
  EXPECT_EQ(First(u"<a x=='>'>").length, 8);
  // '<' inside a start tag is ordinary.
  EXPECT_EQ(First(u"<a <b>").length, 6);
  n = First(u"<ns:item\tv='1'>");
  EXPECT_EQ(n.nameLength, 7);
  EXPECT_EQ(First(u"<\u00E9t\u00E9/>").kind, NodeKind::Element);
  EXPECT_EQ(First(u"<{x>").kind, NodeKind::Element);
}

TEST(NodeScanner, EmptyElementNeedsSlashAfterNameSpaceOrQuote) {
  EXPECT_TRUE(First(u"<a/>").empty);
  EXPECT_TRUE(First(u"<a />").empty);
  EXPECT_TRUE(First(u"<a x='1'/>").empty);
  EXPECT_FALSE(First(u"<a x=1/>").empty);
  EXPECT_FALSE(First(u"<a/ >").empty);
  EXPECT_EQ(First(u"<a x=1/>").nameLength, 1);
}

TEST(NodeScanner, EndTagsInstructionsCommentsAndCData) {
  ScannedNode n = First(u"</a b>x");
  EXPECT_EQ(n.kind, NodeKind::EndTag);
  EXPECT_EQ(n.length, 6);
  EXPECT_EQ(n.nameStart, 2);
  EXPECT_EQ(n.nameLength, 1);
  EXPECT_EQ(First(u"<?pi a='?>'?>").length, 10);  // quotes mean nothing here
  EXPECT_EQ(First(u"<?>?>").length, 5);
  EXPECT_EQ(First(u"<!-- a -- b --->").length, 16);
  EXPECT_EQ(First(u"<!---->").kind, NodeKind::Comment);
  EXPECT_EQ(First(u"<![CDATA[<x>]]>").kind, NodeKind::CData);
  EXPECT_EQ(First(u"<![CDATA[a]>]]>b").length, 15);
  EXPECT_EQ(First(u"<![Cxxxx[a]]>").kind, NodeKind::CData);  // the keyword is not compared
}

TEST(NodeScanner, DocumentTypeSkipsNestedDeclarations) {
  Errors errors;
  const std::u16string text =
      u"<!DOCTYPE r [<!ENTITY e \"a>'\"><!ATTLIST r a CDATA '>\"'><!-- > --><?p >?><!X y>]>"
      u"<r/>";
  std::vector<Node> nodes = Scan(text, &errors);
  ASSERT_EQ(nodes.size(), 2u);
  EXPECT_EQ(nodes[0].kind, NodeKind::DocumentType);
  EXPECT_EQ(nodes[0].length, static_cast<int32_t>(text.size()) - 4);
  EXPECT_EQ(errors.seen, std::vector<std::u16string>{u"doctype_tag_syntax@72"});
  // A nested tag error is logged, the node stays a document type.
  errors.seen.clear();
  nodes = Scan(u"<!DOCTYPE [<1>]><r/>", &errors);
  EXPECT_EQ(nodes[0].kind, NodeKind::DocumentType);
  EXPECT_EQ(nodes[0].length, 16);
  EXPECT_EQ(errors.seen, std::vector<std::u16string>{u"first_tag_syntax@11"});
}

TEST(NodeScanner, BadFirstCharactersGoIntoErrorMode) {
  Errors errors;
  // Error mode ends after the next '>' or before the next '<'.
  EXPECT_EQ(Scan(u"< a='>'>x", &errors),
            (std::vector<Node>{{NodeKind::Error, 0, 8}, {NodeKind::Text, 8, 1}}));
  EXPECT_EQ(Scan(u"<1<a/>", &errors),
            (std::vector<Node>{{NodeKind::Error, 0, 2}, {NodeKind::Element, 2, 4}}));
  EXPECT_EQ(Scan(u"<<a/>", &errors),
            (std::vector<Node>{{NodeKind::Error, 0, 1}, {NodeKind::Element, 1, 4}}));
  EXPECT_EQ(errors.seen, (std::vector<std::u16string>{u"first_tag_syntax@0", u"first_tag_syntax@0",
                                                      u"first_tag_syntax@0"}));
  for (char16_t c : std::u16string(u"0123456789 \t!\"#$%&'()*+,-.;<=>@[\\]^`")) {
    if (c == '!') continue;
    std::u16string text = u"<";
    text += c;
    text += u">";
    EXPECT_EQ(First(text).kind, NodeKind::Error) << static_cast<int>(c);
  }
}

TEST(NodeScanner, ExclamationErrors) {
  Errors errors;
  Scan(u"<!x><!-x><![x><![C]]>", &errors);
  EXPECT_EQ(errors.seen,
            (std::vector<std::u16string>{u"exclamation_tag_syntax@0", u"comment_tag_syntax@4",
                                         u"cdata_section_syntax@9"}));
}

TEST(NodeScanner, UnterminatedNodesNameTheirType) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"<a x='1", u"unterminated_tag_syntax/start_tag@0"},
      {u"<a", u"unterminated_tag_syntax/start_tag@0"},
      {u"</a", u"unterminated_tag_syntax/end_tag@0"},
      {u"<![CDATA[x]]", u"unterminated_tag_syntax/cdata_section@0"},
      {u"<?pi ?", u"unterminated_tag_syntax/processing_instruction@0"},
      {u"<!-- x --", u"unterminated_tag_syntax/comment@0"},
      {u"<!DOCTYPE x [<!ENTITY", u"unterminated_tag_syntax/document_type@0"},
      {u"<!DOCTYPE x [<a ", u"unterminated_tag_syntax/document_type@0"},
      {u"<", u"unterminated_tag_syntax/tag@0"},
      {u"<!", u"unterminated_tag_syntax/tag@0"},
  };
  for (const auto& [text, error] : cases) {
    Errors errors;
    const std::vector<Node> nodes = Scan(text, &errors);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0], (Node{NodeKind::Error, 0, static_cast<int32_t>(text.size())}));
    EXPECT_EQ(errors.seen, std::vector<std::u16string>{error});
  }
  // A node in error mode that runs off the end: both errors, once each.
  Errors errors;
  Scan(u"<1 x", &errors);
  EXPECT_EQ(errors.seen,
            (std::vector<std::u16string>{u"first_tag_syntax@0", u"unterminated_tag_syntax/tag@0"}));
}

TEST(NodeScanner, StopsAtTheEndOfASlice) {
  const std::u16string text = u"<v>ab<![CDATA[c]]>d</v>";
  NodeScanner scanner(std::u16string_view(text).substr(0, 19), 3);
  EXPECT_EQ(scanner.Next().kind, NodeKind::Text);
  EXPECT_EQ(scanner.Next().kind, NodeKind::CData);
  const ScannedNode d = scanner.Next();
  EXPECT_EQ(d.kind, NodeKind::Text);
  EXPECT_EQ(d.length, 1);
  EXPECT_EQ(scanner.Next().kind, NodeKind::EndOfText);
}

}  // namespace
}  // namespace vwi
