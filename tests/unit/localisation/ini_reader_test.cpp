#include "localisation/portable_ini_reader.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "unit/localisation/ini_cases.h"

namespace vwi {
namespace {

const std::u16string kIniFolder = Utf16FromUtf8(VWI_FIXTURES "/localisation/ini/");

TEST(PortableIniReader, ReadsAsTheProfileFunctionsDo) {
  const PortableIniReader reader;
  for (auto& c : test::IniCases()) {
    if (c.expected.empty() && std::string(c.file) == "long.ini") c.expected = test::LongIniValue();
    const auto value =
        reader.ReadString(kIniFolder + Utf16FromUtf8(c.file), c.section, c.key, test::kIniFallback);
    EXPECT_EQ(Utf8FromUtf16(value), Utf8FromUtf16(c.expected))
        << c.file << " [" << Utf8FromUtf16(c.section) << "] " << Utf8FromUtf16(c.key);
  }
}

using namespace std::literals;

TEST(PortableIniReader, DecodesByByteOrderMark) {
  EXPECT_EQ(DecodeIniText("\xFF\xFE"
                          "a\0\xAC\x20"sv),
            u"a\u20ac");
  EXPECT_EQ(DecodeIniText("\xFE\xFF"
                          "\0a\x20\xAC"sv),
            u"a\u20ac");
  EXPECT_EQ(DecodeIniText("\xEF\xBB\xBF"
                          "\xE2\x82\xAC"),
            u"\u20ac");
  EXPECT_EQ(DecodeIniText("\x80\x81\xE9"), u"\u20ac\u0081\u00e9");
  EXPECT_EQ(DecodeIniText("\xFF\xFE"
                          "a"),
            u"");  // an odd last byte is dropped
}

TEST(PortableIniReader, HostileTextGivesTheFallback) {
  EXPECT_EQ(FindIniValue(u"[UISTRING", u"UISTRING", u"a"), std::nullopt);
  EXPECT_EQ(FindIniValue(u"x=1\n[]\ny=2", u"", u"y"), std::nullopt);  // first nameless section only
  EXPECT_EQ(FindIniValue(u"=x", u"", u""), u"x");
  EXPECT_EQ(FindIniValue(u"[S]\na\0b=c"sv, u"S", u"a\0b"sv), u"c");
  const std::u16string manyLines(100000, u'\n');
  EXPECT_EQ(FindIniValue(manyLines + u"[S]\nk=v", u"S", u"k"), u"v");
  EXPECT_EQ(FindIniValue(u"[S]\r\nk=v\0w\r\n"sv, u"S", u"k"), u"v\0w"s);
  EXPECT_EQ(FindIniValue(u"[S]\nk=v", u"s", u"K"), u"v");
}

}  // namespace
}  // namespace vwi
