#include "platform/text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

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

TEST(Text, ASequenceSaysHowFarItReadAndWhetherItWasWellFormed) {
  auto at = [](std::string_view text, size_t i) {
    const Utf8Sequence s = DecodeUtf8At(text, i);
    return std::tuple{s.codePoint, s.length, s.wellFormed};
  };
  EXPECT_EQ(at("a\xE2\x82\xAC", 1), std::tuple(char32_t{0x20AC}, size_t{3}, true));
  EXPECT_EQ(at("\xEF\xBF\xBD", 0), std::tuple(char32_t{0xFFFD}, size_t{3}, true));  // a real U+FFFD
  EXPECT_EQ(at("\xE2\x82x", 0), std::tuple(char32_t{0xFFFD}, size_t{2}, false));    // cut short
  EXPECT_EQ(at("\xC0\xAF", 0), std::tuple(char32_t{0xFFFD}, size_t{2}, false));     // overlong
  EXPECT_EQ(at("\xAF", 0), std::tuple(char32_t{0xFFFD}, size_t{1}, false));         // no lead byte
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
  EXPECT_TRUE(EndsWithIgnoreAsciiCase(u"C:\\w\\Vimzee.MSI", u".msi"));
  EXPECT_FALSE(EndsWithIgnoreAsciiCase(u"msi", u".msi"));  // shorter than the suffix
  EXPECT_FALSE(EndsWithIgnoreAsciiCase(u"Vimzee.msi.exe", u".msi"));
}

// A value read from a damaged record names itself "unknown" rather than
// reading outside the table.
TEST(Text, NamesOutsideTheTableAreUnknown) {
  enum class Colour { Red, Green };
  constexpr std::u16string_view kNames[] = {u"red", u"green"};
  EXPECT_EQ(NameIn(kNames, Colour::Green), u"green");
  EXPECT_EQ(NameIn(kNames, static_cast<Colour>(2)), u"unknown");
  EXPECT_EQ(NameIn(kNames, static_cast<Colour>(-1)), u"unknown");
}

}  // namespace
}  // namespace vwi
