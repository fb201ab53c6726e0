// Past the packed-field widths and the 32-bit sizes: defined, safe results.
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>

#include "xml/element_index.h"
#include "xml/text_converter.h"
#include "xml/xml_document.h"

namespace vwi {
namespace {

namespace flags = element_flags;

TEST(XmlLimits, EndTagLongerThanItsFieldKeepsItsExactLength) {
  const std::u16string name(2000, u'n');
  const std::u16string text = u"<" + name + u">x</" + name + u"  >";
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(text));
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[1].tagLengths >> 22, kMaxEndTagField);  // the field holds its marker
  EXPECT_EQ(e.EndTagLength(1), 2005);
  EXPECT_EQ(e[1].length, static_cast<int32_t>(text.size()));
  EXPECT_EQ(doc.GetElementText(1), u"x");
  // Exactly at the field's width.
  const std::u16string n2(1020, u'm');
  ASSERT_TRUE(doc.SetText(u"<" + n2 + u">y</" + n2 + u">"));
  EXPECT_EQ(doc.elements().EndTagLength(1), 1023);
  EXPECT_EQ(doc.GetElementText(1), u"y");
}

TEST(XmlLimits, StartTagLongerThanItsFieldKeepsItsExactLength) {
  const int32_t valueLength = 4200000;
  std::u16string text = u"<a v='";
  text.append(valueLength, u'x');
  text += u"'>t</a>";
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(text));
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[1].tagLengths & kMaxStartTagField, kMaxStartTagField);
  EXPECT_EQ(e.StartTagLength(1), valueLength + 8);
  EXPECT_EQ(doc.GetElementText(1), u"t");
  std::u16string v;
  ASSERT_TRUE(doc.GetAttribute(1, u"v", v));
  EXPECT_EQ(v.size(), static_cast<size_t>(valueLength));
  // Unended: the length is the whole start tag as well.
  text.resize(text.size() - 4);  // drop "</a>"
  EXPECT_FALSE(doc.SetText(text));
  EXPECT_EQ(doc.elements()[1].length, valueLength + 8);
  EXPECT_EQ(doc.elements().StartTagLength(1), valueLength + 8);
}

TEST(XmlLimits, DepthBeyondTheLevelFieldSaturates) {
  const int depth = 70000;
  std::u16string text;
  for (int i = 0; i < depth; ++i) text += u"<e>";
  text += u"x";
  for (int i = 0; i < depth; ++i) text += u"</e>";
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(text));
  const ElementIndex& e = doc.elements();
  EXPECT_EQ(e[65536].levelAndFlags & flags::kLevelMask, 65535u);
  EXPECT_EQ(e[depth].levelAndFlags, kMaxLevelField | flags::kFirstChild);  // no flag bit touched
  EXPECT_EQ(e[depth].parent, depth - 1);
  EXPECT_EQ(doc.GetElementText(depth), u"x");
  // Navigate all the way down and back up.
  int32_t levels = 0;
  ASSERT_TRUE(doc.FindElement(u"e"));
  while (doc.FindChildElement(u"e") && doc.EnterElement()) ++levels;
  EXPECT_EQ(levels, depth - 1);
  while (doc.LeaveElement()) --levels;
  EXPECT_EQ(levels, 0);
}

double SecondsToParse(const std::u16string& text) {
  XmlDocument doc;
  const auto start = std::chrono::steady_clock::now();
  doc.SetText(text);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Repairs that would each walk a deep stack or a long chain must not add up
// to quadratic work (a hostile file would otherwise hang the parse).
TEST(XmlLimits, DeepUnendedNestingIsRepairedInLinearTime) {
  std::u16string text;
  for (int i = 0; i < 300000; ++i) text += u"<a>";
  EXPECT_LT(SecondsToParse(text), 10.0);
  XmlDocument doc;
  doc.SetText(text);
  EXPECT_EQ(doc.elements()[300000].parent, 0);  // all became top-level siblings
  EXPECT_EQ(doc.elements()[1].prev, 300000);
}

TEST(XmlLimits, LoneEndTagsUnderADeepStackAreCheap) {
  std::u16string text;
  for (int i = 0; i < 100000; ++i) text += u"<a>";
  for (int i = 0; i < 300000; ++i) text += u"</b>";
  EXPECT_LT(SecondsToParse(text), 10.0);
}

TEST(XmlLimits, CapacityGrowsByAtMostOneSegmentPerStep) {
  const int64_t segment = ElementIndex::kSegmentSize;
  EXPECT_EQ(ElementIndex::NextCapacity(0, 9), 9);
  EXPECT_EQ(ElementIndex::NextCapacity(0, 10 * segment), segment);
  EXPECT_EQ(ElementIndex::NextCapacity(segment, 10 * segment), 2 * segment);
  // A partly filled second segment: filling it and adding a third is one new segment.
  EXPECT_EQ(ElementIndex::NextCapacity(segment + 5, 10 * segment), 3 * segment);
  EXPECT_EQ(ElementIndex::NextCapacity(100, 150), 150);
  // Never past the 32-bit index range.
  const int64_t top = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(ElementIndex::NextCapacity(top - 10, top + 1000), top);
  EXPECT_EQ(ElementIndex::NextCapacity(top, top + 1), top);

  ElementIndex index;
  ASSERT_TRUE(index.EnsureCapacity(10));
  index[9].start = 42;
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(index.Grow());
  EXPECT_GT(index.capacity(), 3 * segment);
  EXPECT_EQ(index[9].start, 42);  // records survive regrowth of the last segment
}

TEST(XmlLimits, ConversionBufferSizeDoesNotWrap) {
  EXPECT_EQ(ConversionBufferSize(2147483000), 2147483000LL + 21474830);
  EXPECT_EQ(ConversionBufferSize(99), 99);
  EXPECT_EQ(ConversionBufferSize(1000), 1010);
}

TEST(XmlLimits, ManyTagsOfOverflowingLengthStayExact) {
  std::u16string text = u"<r>";
  const std::u16string name(1100, u'q');
  for (int i = 0; i < 50; ++i) text += u"<" + name + u">" + u"</" + name + u">";
  text += u"</r>";
  XmlDocument doc;
  ASSERT_TRUE(doc.SetText(text));
  for (int32_t i = 2; i < doc.nextFreeIndex(); ++i) {
    ASSERT_EQ(doc.elements().EndTagLength(i), 1103);
    ASSERT_EQ(doc.elements().StartTagLength(i), 1102);
  }
}

}  // namespace
}  // namespace vwi
