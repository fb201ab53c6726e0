// Element texts, DecodeEntities (named and numeric) and EncodeEntities.
#include <gtest/gtest.h>

#include <string>

#include "xml/entities.h"
#include "xml/xml_document.h"

namespace vwi {
namespace {

std::u16string TextOf(std::u16string_view xml) {
  XmlDocument doc;
  doc.SetText(xml);
  if (!doc.FindElement(nullptr)) return u"<none>";
  return doc.GetElementText(doc.currentIndex());
}

TEST(XmlText, ContentIsDecodedWithItsWhitespace) {
  EXPECT_EQ(TextOf(u"<v> a&amp;b &#x41;&#66; </v>"), u" a&b AB ");
  EXPECT_EQ(TextOf(u"<v>x<![CDATA[<y>&amp;]]>z</v>"), u"x<y>&amp;z");
  EXPECT_EQ(TextOf(u"<v>x<!--c-->y<?p?></v>"), u"xy");
  EXPECT_EQ(TextOf(u"<v> <!--c--> </v>"), u"");
  EXPECT_EQ(TextOf(u"<v>a <!--c--> b</v>"), u"a  b");
  EXPECT_EQ(TextOf(u"<v>&lt;<![CDATA[]]></v>"), u"<");
}

TEST(XmlText, EmptyForEmptyUnendedAndParentElements) {
  EXPECT_EQ(TextOf(u"<v/>"), u"");
  EXPECT_EQ(TextOf(u"<v></v>"), u"");
  EXPECT_EQ(TextOf(u"<v>text"), u"");
  EXPECT_EQ(TextOf(u"<v>t<c/>u</v>"), u"");
  XmlDocument doc;
  doc.SetText(u"<v>x</v>");
  EXPECT_EQ(doc.GetElementText(0), u"");
  EXPECT_EQ(doc.GetElementText(-1), u"");
  EXPECT_EQ(doc.GetElementText(2), u"");
}

TEST(XmlText, AnUnendedChildIsStillAChild) {
  // <c> is closed unended by </v> but stays v's child.
  EXPECT_EQ(TextOf(u"<v>a<c>b</v>"), u"");
}

TEST(Entities, NamedReferencesPreferTheExactSpelling) {
  EXPECT_EQ(DecodeEntities(u"&eacute;&Eacute;&EACUTE;"), u"\u00E9\u00C9\u00C9");
  EXPECT_EQ(DecodeEntities(u"&AMP;&Amp;&apos;&quot;&lt;&gt;"), u"&&'\"<>");
  EXPECT_EQ(DecodeEntities(u"&larr;&lArr;&LARR;"), u"\u2190\u21D0\u21D0");
  EXPECT_EQ(DecodeEntities(u"&thetasym;&euro;&nbsp;&yuml;&Yuml;"),
            u"\u03D1\u20AC\u00A0\u00FF\u0178");
  EXPECT_EQ(LookupEntity(u"sigmaf"), 962u);
  EXPECT_EQ(LookupEntity(u"Dagger"), 8225u);
  EXPECT_EQ(LookupEntity(u"DAGGER"), 8225u);
  EXPECT_EQ(LookupEntity(u"nosuch"), 0u);
}

TEST(Entities, UndecodableReferencesStayAsWritten) {
  EXPECT_EQ(DecodeEntities(u"&nosuch; &; &toolongname; & x &amp"),
            u"&nosuch; &; &toolongname; & x &amp");
  EXPECT_EQ(DecodeEntities(u"&thetasym;"), u"\u03D1");  // nine letters fit
  EXPECT_EQ(DecodeEntities(u"&\u00E9;"), u"&\u00E9;");
  EXPECT_EQ(DecodeEntities(u"&#0;&#x;&#;"), u"&#0;&#x;&#;");
}

TEST(Entities, NumericReferencesReadLikeWcstol) {
  EXPECT_EQ(DecodeEntities(u"&#65;&#x41;&#X41;&#x0x41;&#65x;&# 66;&#+67;"), u"AAAAABC");
  EXPECT_EQ(DecodeEntities(u"&#128512;"), u"\U0001F600");
  EXPECT_EQ(DecodeEntities(u"&#x10FFFF;"), u"\U0010FFFF");
  EXPECT_EQ(DecodeEntities(u"&#xD800;").size(), 1u);
}

TEST(Entities, NegativeAndOutOfRangeNumbersStayAsWritten) {
  EXPECT_EQ(DecodeEntities(u"&#-65;&#x110000;&#99999999;&#x-41;"),
            u"&#-65;&#x110000;&#99999999;&#x-41;");
}

TEST(Entities, EncodeReplacesMarkupCharacters) {
  EXPECT_EQ(EncodeEntities(u"a<b>&'\"", false), u"a&lt;b&gt;&amp;'\"");
  EXPECT_EQ(EncodeEntities(u"a<b>&'\"", true), u"a&lt;b&gt;&amp;&apos;&quot;");
  EXPECT_EQ(DecodeEntities(EncodeEntities(u"<&>'\"x", true)), u"<&>'\"x");
}

TEST(XmlAttributes, ValuesAreFoundQuotedOrNot) {
  XmlDocument doc;
  doc.SetText(u"<a x='1' y=\"&lt;2\" z=3 w>t</a>");
  std::u16string v;
  EXPECT_TRUE(doc.GetAttribute(1, u"x", v));
  EXPECT_EQ(v, u"1");
  EXPECT_TRUE(doc.GetAttribute(1, u"y", v));
  EXPECT_EQ(v, u"<2");
  EXPECT_TRUE(doc.GetAttribute(1, u"z", v));
  EXPECT_EQ(v, u"3");
  v = u"untouched";
  EXPECT_FALSE(doc.GetAttribute(1, u"w", v));
  EXPECT_FALSE(doc.GetAttribute(1, u"X", v));
  EXPECT_EQ(v, u"untouched");
}

}  // namespace
}  // namespace vwi
