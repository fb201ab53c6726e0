#include <gtest/gtest.h>

#include "xml/xml_document.h"

namespace vwi {
namespace {

TEST(XmlDocumentSmoke, ParsesAndNavigates) {
  XmlDocument doc;
  EXPECT_TRUE(doc.SetText(u"<a><b>x</b></a>"));
  EXPECT_TRUE(doc.FindElement(u"a"));
  EXPECT_TRUE(doc.FindChildElement(u"b"));
  EXPECT_TRUE(doc.EnterElement());
  EXPECT_EQ(doc.GetElementText(doc.currentIndex()), u"x");
}

TEST(XmlDocumentSmoke, LoadsAFile) {
  const char* path = "/tmp/vwi_xml_smoke.xml";
  FILE* f = fopen(path, "wb");
  fputs("<?xml version='1.0' encoding='windows-1252'?><v>caf\xE9</v>", f);
  fclose(f);
  XmlDocument doc;
  EXPECT_TRUE(doc.LoadFile(u"/tmp/vwi_xml_smoke.xml"));
  EXPECT_TRUE(doc.FindElement(u"v"));
  EXPECT_EQ(doc.GetElementText(doc.currentIndex()), u"caf\u00E9");
  EXPECT_EQ(doc.resultLog(), u"<read encoding=\"windows-1252\" length=\"56\"/><converted_to encoding=\"UTF-16\" length=\"56\"/>");
}

}  // namespace
}  // namespace vwi
