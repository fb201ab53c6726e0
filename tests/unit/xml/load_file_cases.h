// Fixture files and what loading each must give, and the check of one case;
// shared by the native tests and the Windows tests under Wine.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "xml/xml_document.h"

namespace vwi::load_file_cases {

struct Case {
  const char* file;
  bool verdict;
  uint32_t flags;
  const char16_t* log;   // exact result log
  const char16_t* path;  // element names to the value, '/'-separated
  const char16_t* text;  // that element's text
};

constexpr Case kCases[] = {
    {"utf8_bom.xml", true, 0x4,
     u"<bom/><read encoding=\"UTF-8\" length=\"19\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"18\"/>",
     u"r/v", u"caf\u00E9"},
    {"utf16le_bom.xml", true, 0x1, u"<bom/><read encoding=\"UTF-16LE\" length=\"18\"/>", u"r/v",
     u"caf\u00E9"},
    {"utf16be_bom.xml", true, 0x80,
     u"<bom/><read encoding=\"UTF-16BE\" length=\"18\"/><endian_swap/>", u"r/v", u"caf\u00E9"},
    {"cp1252_declared.xml", true, 0,
     u"<read encoding=\"windows-1252\" length=\"65\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"65\"/>",
     u"r/v", u"caf\u00E9 \u20AC"},
    // Starts with '<' and names no encoding: UTF-8 without the check.
    {"utf8_plain.xml", true, 0,
     u"<read encoding=\"UTF-8\" length=\"19\"/><converted_to encoding=\"UTF-16\" length=\"18\"/>",
     u"r/v", u"caf\u00E9"},
    // Starts with a space: the check runs and passes.
    {"space_first_utf8.xml", true, 0,
     u"<read encoding=\"UTF-8\" length=\"20\"/><utf8_detection/><converted_to "
     u"encoding=\"UTF-16\" length=\"19\"/>",
     u"r/v", u"caf\u00E9"},
    // The check fails: the system's default 8-bit code page (windows-1252 here).
    {"space_first_latin1.xml", true, 0,
     u"<read encoding=\"\" length=\"19\"/><utf8_detection/><converted_to encoding=\"UTF-16\" "
     u"length=\"19\"/>",
     u"r/v", u"caf\u00E9"},
    {"nuls.xml", true, 0,
     u"<read encoding=\"UTF-8\" length=\"19\"/><nulls_removed count=\"3\"/><converted_to "
     u"encoding=\"UTF-16\" length=\"16\"/>",
     u"r/v", u"ab"},
    {"html_meta.html", false, 0,
     u"<read encoding=\"ISO-8859-1\" length=\"113\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"113\"/><unended_start_tag tagname=\"META\" offset=\"12\" offset2=\"83\"/>",
     u"HTML/BODY", u"caf\u00E9"},
    {"empty.xml", false, 0, u"<read encoding=\"\" length=\"0\"/>", u"", u""},
    {"shift_jis.xml", true, 0,
     u"<read encoding=\"Shift_JIS\" length=\"60\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"58\"/>",
     u"r/v", u"\u3042\u65E5"},
    {"koi8r.xml", true, 0,
     u"<read encoding=\"KOI8-R\" length=\"56\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"56\"/>",
     u"r/v", u"\u043F\u0440\u0438"},
    // A 16-bit encoding named by a file without a mark: read as UTF-8.
    {"utf16_declared_no_bom.xml", true, 0,
     u"<read encoding=\"UTF-16\" length=\"58\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"57\"/>",
     u"r/v", u"caf\u00E9"},
    {"unknown_encoding.xml", true, 0,
     u"<read encoding=\"x-no-such\" length=\"60\"/><converted_to encoding=\"UTF-16\" "
     u"length=\"60\"/>",
     u"r/v", u"caf\u00E9"},
};

// Walks '/'-separated names: the root with FindElement, then children.
inline std::u16string TextAt(XmlDocument& doc, std::u16string_view path) {
  size_t i = 0;
  bool first = true;
  while (i <= path.size()) {
    size_t j = path.find(u'/', i);
    if (j == std::u16string_view::npos) j = path.size();
    const std::u16string name(path.substr(i, j - i));
    if (first ? !doc.FindElement(name) : !(doc.FindChildElement(name) && doc.EnterElement())) {
      return u"<not found: " + name + u">";
    }
    first = false;
    i = j + 1;
  }
  return doc.GetElementText(doc.currentIndex());
}

// Loads the case's file from `path` and checks the verdict, the result log,
// the flags and the element's text.
inline void Check(const Case& c, const std::u16string& path) {
  XmlDocument doc;
  doc.SetText(nullptr);
  EXPECT_EQ(doc.LoadFile(path), c.verdict);
  EXPECT_EQ(Utf8FromUtf16(doc.resultLog()), Utf8FromUtf16(c.log));
  EXPECT_EQ(doc.flags(), c.flags);
  if (*c.path) {
    EXPECT_EQ(Utf8FromUtf16(TextAt(doc, c.path)), Utf8FromUtf16(c.text));
  }
}

// A test name from the case's file name.
inline std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.file;
  for (char& ch : name) {
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

}  // namespace vwi::load_file_cases
