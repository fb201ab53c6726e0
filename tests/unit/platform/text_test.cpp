#include "platform/text.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(Text, Utf8RoundTripsEveryPlane) {
  const std::u16string text = u"Grüße \u20AC \U0001F600";
  EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(text)), text);
  EXPECT_EQ(Utf8FromUtf16(u"\u00e9"), "\xC3\xA9");
}

TEST(Text, IllFormedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf16FromUtf8("a\xC3"), u"a\uFFFD");        // cut short
  EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), u"\uFFFD");      // overlong
  EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, LenientNumbers) {
  EXPECT_EQ(ParseLenientInt(u"1031"), 1031);
  EXPECT_EQ(ParseLenientInt(u"  -12abc"), -12);
  EXPECT_EQ(ParseLenientInt(u"+7"), 7);
  EXPECT_EQ(ParseLenientInt(u"abc"), 0);
  EXPECT_EQ(ParseLenientInt(u""), 0);
  EXPECT_EQ(ParseLenientInt(u"-"), 0);
  EXPECT_EQ(ParseLenientInt(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseLenientInt(u"-99999999999999999999"), -2147483647 - 1);
}

TEST(Text, CaseFoldingTouchesAsciiOnly) {
  EXPECT_EQ(AsciiLower(u"/LANG Ä"), u"/lang Ä");
  EXPECT_TRUE(EqualsIgnoreAsciiCase(u"TRUE", u"true"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase(u"true", u"tru"));
}

}  // namespace
}  // namespace vwi
