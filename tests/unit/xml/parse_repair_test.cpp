// Index building, repair of mismatched end tags, the verdict and the result log.
#include <gtest/gtest.h>

#include <string>

#include "xml/xml_document.h"

namespace vwi {
namespace {

namespace flags = element_flags;

uint32_t Flags(const XmlDocument& doc, int32_t i) {
  return doc.elements()[i].levelAndFlags & ~flags::kLevelMask;
}
uint32_t Level(const XmlDocument& doc, int32_t i) {
  return doc.elements()[i].levelAndFlags & flags::kLevelMask;
}

TEST(XmlParse, EmptyTextHasNoElementsNoResultsAndFails) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(nullptr));
  EXPECT_EQ(doc.resultLog(), u"");
  EXPECT_EQ(doc.nextFreeIndex(), 1);
  EXPECT_FALSE(doc.FindElement(nullptr));
  EXPECT_FALSE(doc.SetText(u""));
}

TEST(XmlParse, RecordsOfAWellFormedDocument) {
  XmlDocument doc;
  const std::u16string text = u"<a x='1'><b>t</b><c/><d></d></a>";
  ASSERT_TRUE(doc.SetText(text));
  EXPECT_EQ(doc.resultLog(), u"");
  const ElementIndex& e = doc.elements();
  ASSERT_EQ(doc.nextFreeIndex(), 5);
  EXPECT_EQ(e[0].length, static_cast<int32_t>(text.size()));
  EXPECT_EQ(e[0].firstChild, 1);
  // a
  EXPECT_EQ(e[1].start, 0);
  EXPECT_EQ(e[1].length, static_cast<int32_t>(text.size()));
  EXPECT_EQ(e.StartTagLength(1), 9);
  EXPECT_EQ(e.EndTagLength(1), 4);
  EXPECT_EQ(e[1].tagLengths, 9u | (4u << 22));
  EXPECT_EQ(e[1].firstChild, 2);
  EXPECT_EQ(Flags(doc, 1), flags::kFirstChild);
  // b, c, d: siblings, prev circular only at the first child
  EXPECT_EQ(e[2].start, 9);
  EXPECT_EQ(e[2].length, 8);
  EXPECT_EQ(Level(doc, 2), 1u);
  EXPECT_EQ(e[2].parent, 1);
  EXPECT_EQ(e[2].next, 3);
  EXPECT_EQ(e[2].prev, 4);
  EXPECT_EQ(e[3].length, 4);
  EXPECT_EQ(e.EndTagLength(3), 0);
  EXPECT_EQ(e[3].prev, 2);
  EXPECT_EQ(e[3].next, 4);
  EXPECT_EQ(e[4].prev, 3);
  EXPECT_EQ(e[4].next, 0);
  EXPECT_EQ(Flags(doc, 3), 0u);
  EXPECT_EQ(Flags(doc, 0), 0u);
}

TEST(XmlParse, UnclosedChildIsClosedByItsParentsEndTag) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a><b></a>"));
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[2].length, 3);
  EXPECT_EQ(e.EndTagLength(2), 0);
  EXPECT_TRUE(Flags(doc, 2) & flags::kUnended);
  EXPECT_EQ(e[1].length, 10);
  EXPECT_TRUE(Flags(doc, 0) & flags::kIllFormed);
  EXPECT_EQ(doc.resultLog(), u"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"7\"/>");
}

TEST(XmlParse, LoneEndTagPopsNothing) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a></b></a>"));
  EXPECT_EQ(doc.elements()[1].length, 11);
  EXPECT_TRUE(Flags(doc, 1) & flags::kErrorInside);
  EXPECT_EQ(doc.resultLog(), u"<lone_end_tag tagname=\"b\" offset=\"3\"/>");
  EXPECT_FALSE(doc.SetText(u"</x>"));
  EXPECT_EQ(doc.resultLog(), u"<lone_end_tag tagname=\"x\" offset=\"0\"/><no_root_element/>");
}

TEST(XmlParse, UnendedChildrenBecomeFollowingSiblings) {
  XmlDocument doc;
  //                      0  3  6  9  12    18
  EXPECT_FALSE(doc.SetText(u"<r><a><b/><c/></r>"));
  const ElementIndex& e = doc.elements();
  // a is closed unended; b and c move up under r, after a.
  EXPECT_EQ(e[2].firstChild, 0);
  EXPECT_EQ(e[2].next, 3);
  EXPECT_EQ(e[3].parent, 1);
  EXPECT_EQ(e[4].parent, 1);
  EXPECT_EQ(e[3].prev, 2);
  EXPECT_EQ(e[1].firstChild, 2);
  EXPECT_EQ(e[2].prev, 4);  // the first child's prev names the new last child
  EXPECT_EQ(Flags(doc, 3) & flags::kFirstChild, 0u);
  EXPECT_EQ(Level(doc, 3), 2u);  // levels stay those of the opening
  EXPECT_EQ(doc.resultLog(), u"<unended_start_tag tagname=\"a\" offset=\"3\" offset2=\"15\"/>");
}

TEST(XmlParse, ElementsOpenAtTheEndAreClosedInnermostFirst) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a><b><c>"));
  EXPECT_EQ(doc.resultLog(),
            u"<unended_start_tag tagname=\"c\" offset=\"6\" offset2=\"9\"/>"
            u"<unended_start_tag tagname=\"b\" offset=\"3\" offset2=\"9\"/>"
            u"<unended_start_tag tagname=\"a\" offset=\"0\" offset2=\"9\"/><root_has_sibling/>");
  // All three end up top-level siblings.
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[1].next, 2);
  EXPECT_EQ(e[2].next, 3);
  EXPECT_EQ(e[3].parent, 0);
  EXPECT_EQ(e[1].prev, 3);
}

TEST(XmlParse, ErrorInsideFlagMovesUpWithAnUnendedElement) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a><b><1></a>"));
  EXPECT_EQ(Flags(doc, 2) & flags::kErrorInside, 0u);
  EXPECT_TRUE(Flags(doc, 1) & flags::kErrorInside);
}

TEST(XmlParse, VerdictNeedsOneRootAndNoErrors) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a/><b/>"));
  EXPECT_EQ(doc.resultLog(), u"<root_has_sibling/>");
  EXPECT_FALSE(doc.SetText(u"text only"));
  EXPECT_EQ(doc.resultLog(), u"<no_root_element/>");
  EXPECT_FALSE(doc.SetText(u"<a>< b></a>"));
  EXPECT_EQ(doc.resultLog(), u"<first_tag_syntax offset=\"3\"/>");
  EXPECT_TRUE(doc.SetText(u"<?xml version='1.0'?><!DOCTYPE a><!--c--> <a>x</a> <?pi?>"));
  EXPECT_EQ(doc.resultLog(), u"");
  EXPECT_FALSE(doc.SetText(u"<a x='1"));
  EXPECT_EQ(doc.resultLog(),
            u"<unterminated_tag_syntax type=\"start_tag\" offset=\"0\"/><no_root_element/>");
}

TEST(XmlParse, TextCanBeHandedOver) {
  XmlDocument doc;
  std::u16string text = u"<a>x</a>";
  EXPECT_TRUE(doc.SetText(std::move(text)));
  EXPECT_EQ(doc.text(), u"<a>x</a>");
  EXPECT_EQ(doc.GetElementText(1), u"x");
}

TEST(XmlParse, EveryParseStartsAfresh) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<a><b></a>"));
  EXPECT_TRUE(doc.SetText(u"<z/>"));
  EXPECT_EQ(doc.resultLog(), u"");
  EXPECT_EQ(doc.nextFreeIndex(), 2);
  EXPECT_EQ(doc.elements()[0].levelAndFlags, 0u);
}

TEST(XmlParse, EndTagsMatchStartTagNamesExactly) {
  XmlDocument doc;
  // A start-tag name that holds '=' is closed only by the same name.
  EXPECT_FALSE(doc.SetText(u"<a=b></a>"));
  EXPECT_EQ(doc.resultLog(),
            u"<lone_end_tag tagname=\"a\" offset=\"5\"/>"
            u"<unended_start_tag tagname=\"a=b\" offset=\"0\" offset2=\"9\"/>");
  EXPECT_FALSE(doc.SetText(u"<A></a>"));
}

TEST(XmlParse, DeepMismatchesUseTheNameTable) {
  // Lone end tags under a deep stack, then a match far down: still exact.
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += (i == 0 ? u"<root>" : u"<e>");
  for (int i = 0; i < 2000; ++i) text += u"</x>";
  text += u"<e></e></root>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(text));
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[1].length, static_cast<int32_t>(text.size()));
  EXPECT_EQ(e.EndTagLength(1), 7);
  EXPECT_TRUE(doc.elements()[2000].levelAndFlags & flags::kUnended);
  // The element opened after the lone end tags is closed by its own end tag.
  EXPECT_EQ(e[2001].length, 7);
  EXPECT_EQ(e[2001].parent, 1);
}

TEST(ResultLog, StopsTakingResultsPastItsLimit) {
  std::u16string text = u"<r>";
  for (int i = 0; i < 200; ++i) text += u"</x>";
  text += u"</r>";
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(text));
  const std::u16string& log = doc.resultLog();
  const std::u16string entry = u"<lone_end_tag tagname=\"x\" offset=\"3\"/>";
  EXPECT_EQ(log.substr(0, entry.size()), entry);
  // Each entry is at most 40 units: the last one started at or below 999.
  EXPECT_GT(log.size(), 999u);
  EXPECT_LT(log.size(), 999u + 41u);
  EXPECT_EQ(log.substr(log.size() - 2), u"/>");
}

TEST(ResultLog, TheLimitAppliesBeforeAnEntryWhateverItsLength) {
  const std::u16string name(3000, u'n');
  XmlDocument doc;
  EXPECT_FALSE(doc.SetText(u"<r></" + name + u"></x></r>"));
  // The long name is recorded whole; nothing after it.
  EXPECT_EQ(doc.resultLog(), u"<lone_end_tag tagname=\"" + name + u"\" offset=\"3\"/>");
}

TEST(ResultLog, AddElementAndSetAttributeWriteTheLog) {
  XmlDocument log;
  log.SetLogText(u"");
  ASSERT_TRUE(log.AddElement(u"read"));
  EXPECT_TRUE(log.SetAttribute(log.currentIndex(), u"encoding", u"a<\"'&>"));
  EXPECT_TRUE(log.SetAttribute(log.currentIndex(), u"length", u"7"));
  ASSERT_TRUE(log.AddElement(u"bom"));
  EXPECT_EQ(log.text(), u"<read encoding=\"a&lt;&quot;&apos;&amp;&gt;\" length=\"7\"/><bom/>");
  // Replacing a value moves the following element.
  EXPECT_TRUE(log.SetAttribute(1, u"encoding", u"UTF-8"));
  EXPECT_EQ(log.text(), u"<read encoding=\"UTF-8\" length=\"7\"/><bom/>");
  EXPECT_EQ(log.elements()[2].start, 35);
  EXPECT_EQ(log.elements().StartTagLength(1), 35);
  EXPECT_EQ(log.GetElementName(2), u"bom");
  std::u16string value;
  EXPECT_TRUE(log.GetAttribute(1, u"length", value));
  EXPECT_EQ(value, u"7");
}

TEST(ResultLog, AddElementInsideAnElementShiftsTheIndex) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(u"<r><a></a><b/></r>"));
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.FindChildElement(u"a"));
  ASSERT_TRUE(doc.EnterElement());  // a is current
  ASSERT_TRUE(doc.AddElement(u"n"));
  EXPECT_EQ(doc.text(), u"<r><a></a><n/><b/></r>");
  const ElementIndex& e = doc.elements();
  const int32_t n = doc.currentIndex();
  EXPECT_EQ(e[n].start, 10);
  EXPECT_EQ(e[n].parent, 1);
  EXPECT_EQ(e[2].next, n);
  EXPECT_EQ(e[n].next, 3);
  EXPECT_EQ(e[3].prev, n);
  EXPECT_EQ(e[3].start, 14);
  EXPECT_EQ(e[1].length, 22);
  EXPECT_EQ(e[n].levelAndFlags & flags::kLevelMask, 1u);
  EXPECT_EQ(e[0].length, 22);
}

}  // namespace
}  // namespace vwi
