// Encoding detection and conversion: the charset table, declarations, the
// UTF-8 check, NUL removal and the code-page conversion.
#include <gtest/gtest.h>

#include <string>

#include "xml/charset_table.h"
#include "xml/declared_encoding.h"
#include "xml/text_converter.h"
#include "xml/xml_file_reader.h"

namespace vwi {
namespace {

TEST(CharsetTable, NamesMapToCodePagesWithoutRegardToCase) {
  EXPECT_EQ(LookupCodePage(u""), 0);
  EXPECT_EQ(LookupCodePage(u"utf-8"), 65001);
  EXPECT_EQ(LookupCodePage(u"UTF-8"), 65001);
  EXPECT_EQ(LookupCodePage(u"Windows-1252"), 1252);
  EXPECT_EQ(LookupCodePage(u"ISO-8859-1"), 28591);
  EXPECT_EQ(LookupCodePage(u"latin1"), 28591);
  EXPECT_EQ(LookupCodePage(u"Shift_JIS"), 932);
  EXPECT_EQ(LookupCodePage(u"shifft_jis"), 932);
  EXPECT_EQ(LookupCodePage(u"gb2312"), 936);
  EXPECT_EQ(LookupCodePage(u"ks_c_5601-1987"), 949);
  EXPECT_EQ(LookupCodePage(u"big5"), 950);
  EXPECT_EQ(LookupCodePage(u"koi8-u"), 21866);
  EXPECT_EQ(LookupCodePage(u"iso_646.irv:1991"), 20127);
  EXPECT_EQ(LookupCodePage(u"_iso-2022-jp$sio"), 50222);
  EXPECT_EQ(LookupCodePage(u"x-iscii-de"), 57002);
  EXPECT_EQ(LookupCodePage(u"x-iscii-pa"), 57011);
  EXPECT_EQ(LookupCodePage(u"pc-multilingual-850+euro"), 858);
  EXPECT_EQ(LookupCodePage(u"utf-16"), 1200);
  EXPECT_EQ(LookupCodePage(u"UTF-16BE"), 1201);
  EXPECT_EQ(LookupCodePage(u"no-such-charset"), -1);
  EXPECT_EQ(LookupCodePage(u"utf-8 "), -1);
}

TEST(CharsetTable, Utf32IsHandledByTheDocumentOnlyWhenSpelledInCapitals) {
  EXPECT_EQ(LookupCodePage(u"UTF-32"), kCodePageUtf32Own);
  EXPECT_EQ(LookupCodePage(u"UTF-32BE"), kCodePageUtf32Own);
  EXPECT_EQ(LookupCodePage(u"utf-32"), 12000);
  EXPECT_EQ(LookupCodePage(u"utf-32be"), 12001);
}

TEST(CharsetTable, LongNamesAreNotLookedUp) {
  EXPECT_EQ(LookupCodePage(std::u16string(99, u'x')), -1);
  EXPECT_EQ(LookupCodePage(std::u16string(100, u'x')), -1);
  EXPECT_EQ(LookupCodePage(u"UTF-32" + std::u16string(200, u'x')), kCodePageUtf32Own);
}

TEST(CharsetTable, EbcdicNamesMapToTheEbcdicCodePage) {
  EXPECT_EQ(LookupCodePage(u"cp500"), 500);
  EXPECT_EQ(LookupCodePage(u"ebcdic-cp-be"), 500);
  EXPECT_EQ(LookupCodePage(u"ebcdic-cp-ch"), 500);
  EXPECT_EQ(LookupCodePage(u"csibm500"), 500);
  EXPECT_EQ(LookupCodePage(u"ibm775"), 775);
}

TEST(DeclaredEncoding, XmlDeclarationAtTheStart) {
  EXPECT_EQ(FindDeclaredEncoding(u"<?xml version='1.0' encoding='windows-1252'?><a/>"),
            u"windows-1252");
  EXPECT_EQ(FindDeclaredEncoding(u"<?XML encoding=\"koi8-r\"?>"), u"koi8-r");
  EXPECT_EQ(FindDeclaredEncoding(u"<?xml version='1.0'?><a/>"), u"");
  EXPECT_EQ(FindDeclaredEncoding(u" <?xml encoding='x'?><a/>"), u"");
  EXPECT_EQ(FindDeclaredEncoding(u"<?xml-stylesheet encoding='x'?><a/>"), u"");
  EXPECT_EQ(FindDeclaredEncoding(u"<a encoding='x'/>"), u"");
  EXPECT_EQ(FindDeclaredEncoding(u""), u"");
}

TEST(DeclaredEncoding, HtmlMetaInTheHead) {
  EXPECT_EQ(FindDeclaredEncoding(u"<HTML><HEAD><META HTTP-EQUIV=content-type "
                                 u"CONTENT='text/html; charset=ISO-8859-1'></HEAD>"),
            u"ISO-8859-1");
  EXPECT_EQ(FindDeclaredEncoding(u"<html><meta name=x><meta http-equiv=\"Content-Type\" "
                                 u"content=\"text/html;charset = utf-8;x\">"),
            u"utf-8");
  // Without content, or without charset in it: empty.
  EXPECT_EQ(FindDeclaredEncoding(u"<html><meta http-equiv='content-type'><meta "
                                 u"http-equiv='content-type' content='text/html; charset=x'>"),
            u"");
  EXPECT_EQ(FindDeclaredEncoding(u"<html><meta http-equiv='content-type' content='text/html'>"),
            u"");
  // The head's end, or a first element that is not html, ends the search.
  EXPECT_EQ(FindDeclaredEncoding(u"<html></head><meta http-equiv='content-type' "
                                 u"content='charset=x'>"),
            u"");
  EXPECT_EQ(FindDeclaredEncoding(u"<body><meta http-equiv='content-type' content='charset=x'>"),
            u"");
  EXPECT_EQ(FindDeclaredEncoding(u"<html>< meta http-equiv='content-type' content='charset=x'>"),
            u"");
}

TEST(Utf8Check, FollowsTheLeadingBitsOnly) {
  auto check = [](const std::string& s) {
    return PassesUtf8Check(s.data(), static_cast<int32_t>(s.size()));
  };
  EXPECT_TRUE(check("plain ascii"));
  EXPECT_TRUE(check("caf\xC3\xA9"));
  EXPECT_TRUE(check("\xE2\x82\xAC\xF0\x9F\x98\x80"));
  EXPECT_FALSE(check("caf\xE9"));
  EXPECT_FALSE(check("\xC3"));   // cut off
  EXPECT_FALSE(check("\xC3 "));  // follower below 0x80
  EXPECT_FALSE(check("\xF8\x80\x80\x80\x80"));
  EXPECT_TRUE(check("\xC0\x80"));      // overlong forms are not examined
  EXPECT_TRUE(check("\xED\xA0\x80"));  // nor surrogates
  EXPECT_TRUE(check("\x80\x80"));      // 0x80 counts as a two-byte lead
}

TEST(NulRemoval, RemovesZeroBytesOrZeroUnits) {
  std::string bytes("a\0b\0\0c", 6);
  int32_t count = 6;
  EXPECT_EQ(RemoveNulUnits(bytes.data(), count, 1), 3);
  EXPECT_EQ(std::string(bytes.data(), count), "abc");
  std::string units("a\0\0\0b\0\0\x01\0\0", 10);
  count = 10;
  EXPECT_EQ(RemoveNulUnits(units.data(), count, 2), 2);
  EXPECT_EQ(std::string(units.data(), count), std::string("a\0b\0\0\x01", 6));
  std::string odd("a\0b", 3);
  count = 3;
  EXPECT_EQ(RemoveNulUnits(odd.data(), count, 2), 0);
  EXPECT_EQ(count, 2);
}

TEST(TextConverter, Utf32UnitsBecomeUtf16) {
  const std::string bytes("A\0\0\0\x00\xF6\x01\x00\xFF\xFF\x10\x00zz", 14);
  EXPECT_EQ(Utf16FromUtf32Le(bytes.data(), 14), u"A\U0001F600\U0010FFFF");
  std::u16string out;
  ConvertToUtf16(u"UTF-32", bytes.data(), 12, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"A\U0001F600\U0010FFFF");
  // Beyond U+10FFFF the pair is masked, never out of range of UTF-16 units.
  const std::string big("\xFF\xFF\xFF\xFF", 4);
  EXPECT_EQ(Utf16FromUtf32Le(big.data(), 4).size(), 2u);
}

TEST(TextConverter, CodePagesThroughThePlatformConversion) {
  std::u16string out;
  const std::string latin("caf\xE9", 4);
  ConvertToUtf16(u"iso-8859-1", latin.data(), 4, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"caf\u00E9");
  ConvertToUtf16(u"", latin.data(), 4, SystemCodePageConverter(), out);  // system default
  EXPECT_EQ(out, u"caf\u00E9");
  ConvertToUtf16(u"bogus", latin.data(), 4, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"caf\u00E9");
  const std::string euro("\x80", 1);
  ConvertToUtf16(u"windows-1252", euro.data(), 1, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"\u20AC");
  const std::string ebcdic("\xC1\xC2", 2);
  ConvertToUtf16(u"cp500", ebcdic.data(), 2, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"AB");
}

TEST(TextConverter, InvalidBytesBecomeReplacementCharacters) {
  std::u16string out;
  const std::string bad(
      "a\xFF"
      "b\xC3",
      4);
  ConvertToUtf16(u"utf-8", bad.data(), 4, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"a\uFFFDb\uFFFD");
}

TEST(TextConverter, UnconvertibleCodePagesGiveNoText) {
  std::u16string out = u"old";
  const std::string bytes("abc", 3);
  ConvertToUtf16(u"utf-16", bytes.data(), 3, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"");
  ConvertToUtf16(u"x-mac-japanese", bytes.data(), 3, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"");
}

}  // namespace
}  // namespace vwi
