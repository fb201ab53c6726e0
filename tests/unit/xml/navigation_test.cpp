// The three-level cursor: FindElement, FindChildElement, EnterElement, LeaveElement.
#include <gtest/gtest.h>

#include <string>

#include "xml/xml_document.h"

namespace vwi {
namespace {

const char16_t kManifest[] =
    u"<product>\n"
    u"  <name>Vimzee</name>\n"
    u"  <version>1.2</version>\n"
    u"  <component><id>a</id><url>http://x/a</url></component>\n"
    u"  <component><id>b</id></component>\n"
    u"</product>\n";

TEST(XmlNavigation, ReadsValuesTheWayTheManifestReaderDoes) {
  XmlDocument doc;
  doc.SetText(nullptr);
  ASSERT_TRUE(doc.SetText(kManifest));
  ASSERT_TRUE(doc.FindElement(u"product"));
  ASSERT_TRUE(doc.FindChildElement(u"name"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_EQ(doc.GetElementText(doc.currentIndex()), u"Vimzee");
  ASSERT_TRUE(doc.FindElement(u"version"));
  EXPECT_EQ(doc.GetElementText(doc.currentIndex()), u"1.2");

  // Repeated groups: FindElement with the group's name until it fails.
  std::u16string ids;
  XmlDocument groups;
  ASSERT_TRUE(groups.SetText(kManifest));
  ASSERT_TRUE(groups.FindElement(u"product"));
  ASSERT_TRUE(groups.EnterElement());
  while (groups.FindElement(u"component")) {
    ASSERT_TRUE(groups.FindChildElement(u"id"));
    ASSERT_TRUE(groups.EnterElement());
    ids += groups.GetElementText(groups.currentIndex());
    if (groups.FindElement(u"url")) ids += u"+" + groups.GetElementText(groups.currentIndex());
    ASSERT_TRUE(groups.LeaveElement());
  }
  EXPECT_EQ(ids, u"a+http://x/ab");
}

TEST(XmlNavigation, FindElementWithoutANameTakesTheNextSibling) {
  XmlDocument doc;
  doc.SetText(u"<a/><b/>");
  ASSERT_TRUE(doc.FindElement(nullptr));
  EXPECT_EQ(doc.currentIndex(), 1);
  ASSERT_TRUE(doc.FindElement(u""));
  EXPECT_EQ(doc.currentIndex(), 2);
  EXPECT_FALSE(doc.FindElement(nullptr));
  EXPECT_EQ(doc.currentIndex(), 2);  // unchanged on failure
}

TEST(XmlNavigation, NamesMatchWholeOrUpToAnArgumentTerminator) {
  XmlDocument doc;
  doc.SetText(u"<r><product/><prod x='1'/></r>");
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.FindChildElement(u"prod"));
  EXPECT_EQ(doc.childIndex(), 3);  // not <product>
  EXPECT_FALSE(doc.FindChildElement(u"/prod"));
  EXPECT_EQ(doc.childIndex(), 3);
  XmlDocument args;
  args.SetText(u"<r><a/><b/></r>");
  ASSERT_TRUE(args.FindElement(u"r"));
  // The given name ends at ' ', '=', '/', '[' or ']'.
  EXPECT_TRUE(args.FindChildElement(u"b[1]"));
  EXPECT_EQ(args.childIndex(), 3);
  XmlDocument at;
  at.SetText(u"<r><a/></r>");
  ASSERT_TRUE(at.FindElement(u"r"));
  EXPECT_FALSE(at.FindChildElement(u"a@x"));
  EXPECT_TRUE(at.FindChildElement(u"a/x"));
  // Candidate names stop at '=' and the other delimiters.
  XmlDocument odd;
  odd.SetText(u"<a=1/>");
  EXPECT_TRUE(odd.FindElement(u"a"));
}

TEST(XmlNavigation, LeaveReturnsWithTheFormerCurrentAsSelectedChild) {
  XmlDocument doc;
  doc.SetText(u"<r><w/><x/><y/></r>");
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.FindChildElement(u"x"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_EQ(doc.currentIndex(), 3);
  EXPECT_EQ(doc.parentIndex(), 1);
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.currentIndex(), 1);
  EXPECT_EQ(doc.childIndex(), 3);
  EXPECT_EQ(doc.parentIndex(), 0);
  // The search goes on after x.
  EXPECT_FALSE(doc.FindChildElement(u"w"));
  EXPECT_TRUE(doc.FindChildElement(u"y"));
  EXPECT_FALSE(doc.LeaveElement());  // already at the top level
}

TEST(XmlNavigation, FindChildElementStartsFromTheRoot) {
  XmlDocument doc;
  doc.SetText(u"<r><a/></r>");
  // With no current element the first element at the level is taken first.
  ASSERT_TRUE(doc.FindChildElement(u"a"));
  EXPECT_EQ(doc.currentIndex(), 1);
  EXPECT_EQ(doc.childIndex(), 2);
  EXPECT_TRUE(doc.currentIsElement());
}

TEST(XmlNavigation, EnterNeedsACurrentElement) {
  XmlDocument doc;
  doc.SetText(u"<r><a/></r>");
  EXPECT_FALSE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement(u"r"));
  ASSERT_TRUE(doc.EnterElement());  // no child selected: current becomes 0
  EXPECT_EQ(doc.currentIndex(), 0);
  EXPECT_FALSE(doc.currentIsElement());
  EXPECT_FALSE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement(u"a"));
}

TEST(XmlNavigation, NothingWorksBeforeAParse) {
  XmlDocument doc;
  EXPECT_FALSE(doc.FindElement(u"a"));
  EXPECT_FALSE(doc.FindChildElement(u"a"));
  EXPECT_FALSE(doc.EnterElement());
  EXPECT_FALSE(doc.LeaveElement());
  EXPECT_EQ(doc.GetElementText(1), u"");
  EXPECT_EQ(doc.GetElementName(1), u"");
}

}  // namespace
}  // namespace vwi
