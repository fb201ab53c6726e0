// Language-file reading cases shared by the native tests of the portable
// reader and the Windows tests, which run them against both readers: the
// portable reader must give what GetPrivateProfileStringW gives.
#pragma once

#include <string>
#include <vector>

namespace vwi::test {

struct IniCase {
  const char* file;  // below the fixtures' localisation\ini folder
  std::u16string section;
  std::u16string key;
  std::u16string expected;  // the fallback is "<default>"
};

inline const std::u16string kIniFallback = u"<default>";

inline std::vector<IniCase> IniCases() {
  return {
      {"rules_ansi.ini", u"LANGUAGE", u"Title", u"Fran\u00e7ais"},
      {"rules_ansi.ini", u"language", u"TITLE", u"Fran\u00e7ais"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_INSTALL", u"Installer"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_STATUS_INIT", u"Initialisation..."},
      {"rules_ansi.ini", u" UISTRING ", u" IDS_STATUS_INIT ", u"Initialisation..."},
      {"rules_ansi.ini", u"UISTRING", u"IDS_EMPTY", u""},
      {"rules_ansi.ini", u"UISTRING", u"IDS_BLANK", u""},
      {"rules_ansi.ini", u"UISTRING", u"IDS_QUOTED", u"  padded  "},
      {"rules_ansi.ini", u"UISTRING", u"IDS_SINGLE", u"single"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_UNMATCHED", u"\"open"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_MIXED", u"\"mixed'"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_ONLYQUOTE", u"\""},
      {"rules_ansi.ini", u"UISTRING", u"IDS_TWOQUOTES", u""},
      {"rules_ansi.ini", u"UISTRING", u"IDS_INNER", u"a \"b\" c"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_EQUALS", u"a=b"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_NOEQUALS", kIniFallback},
      {"rules_ansi.ini", u"UISTRING", u"IDS_DUP", u"first"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_EURO", u"\u20ac 5"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_MISSING", kIniFallback},
      {"rules_ansi.ini", u"UISTRING", u"Title", kIniFallback},
      {"rules_ansi.ini", u"NOSUCH", u"IDS_INSTALL", kIniFallback},
      {"rules_ansi.ini", u"RLINK", u"IDS_RLINK_TERMS", u"https://go.orvanta.com/t?a=1&b=2"},
      {"rules_ansi.ini", u"UISTRING", u"IDS_LATER", kIniFallback},
      {"rules_ansi.ini", u"", u"Orphan", u"before any section"},
      {"long.ini", u"UISTRING", u"IDS_LONG", std::u16string()},  // filled in by the test
      {"long.ini", u"UISTRING", u"IDS_259", std::u16string()},
      {"utf16le.ini", u"LANGUAGE", u"Title", u"\u7b80\u4f53\u4e2d\u6587"},
      {"utf16le.ini", u"UISTRING", u"IDS_INSTALL", u"\u5b89\u88c5"},
      {"utf16le.ini", u"UISTRING", u"IDS_QUOTED", u"  Gr\u00fc\u00dfe  "},
      {"utf8bom.ini", u"UISTRING", u"IDS_INSTALL", u"\u5b89\u88c5"},
      {"utf16le_nobom.ini", u"UISTRING", u"IDS_INSTALL", kIniFallback},
      {"absent.ini", u"UISTRING", u"IDS_INSTALL", kIniFallback},
  };
}

// The 259 first letters of the alphabet repeated, as long.ini holds them.
inline std::u16string LongIniValue() {
  std::u16string value;
  for (int i = 0; i < 259; ++i) value.push_back(static_cast<char16_t>(u'a' + i % 26));
  return value;
}

}  // namespace vwi::test
