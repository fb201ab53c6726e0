// LoadFile under Windows: the Win32 file API and MultiByteToWideChar over
// the same fixture files as the native tests.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "unit/xml/load_file_cases.h"
#include "xml/text_converter.h"
#include "xml/xml_document.h"

namespace vwi {
namespace {

std::u16string Fixture(const char* name) {
  return Utf16FromUtf8(std::string(VWI_FIXTURES) + "\\xml\\" + name);
}

class WinLoadFileCases : public ::testing::TestWithParam<load_file_cases::Case> {};

TEST_P(WinLoadFileCases, GiveTheirLogTextAndVerdict) {
  load_file_cases::Check(GetParam(), Fixture(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WinLoadFileCases, ::testing::ValuesIn(load_file_cases::kCases),
                         load_file_cases::CaseName);

TEST(WinLoadFile, MissingFileLogsTheSystemMessage) {
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(Fixture("no_such_file.xml")));
  wchar_t message[256] = {};
  ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, 0, message, 256, nullptr);
  std::u16string expected(reinterpret_cast<const char16_t*>(message));
  expected = expected.substr(0, expected.find_first_of(u"\r\n"));
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(Utf8FromUtf16(doc.resultLog()),
            Utf8FromUtf16(u"<file_error msg=\"" + expected + u"\" n=\"2\"/>"));
  EXPECT_EQ(doc.text(), u"");
}

TEST(WinLoadFile, FileLockedForReadingIsAFileError) {
  const std::u16string path = Fixture("utf8_plain.xml");
  HANDLE exclusive = ::CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_READ, 0,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  XmlDocument doc;
  EXPECT_FALSE(doc.LoadFile(path));
  EXPECT_NE(doc.resultLog().find(u"n=\"32\""), std::u16string::npos)
      << Utf8FromUtf16(doc.resultLog());
  ::CloseHandle(exclusive);
  EXPECT_TRUE(doc.LoadFile(path));
}

TEST(WinLoadFile, FilesOf2GiBOrMoreAreRefusedBeforeReading) {
  wchar_t folder[MAX_PATH] = {};
  wchar_t path[MAX_PATH] = {};
  ASSERT_NE(::GetTempPathW(MAX_PATH, folder), 0u);
  ASSERT_NE(::GetTempFileNameW(folder, L"vwx", 0, path), 0u);
  for (LONGLONG size : {1LL << 31, (1LL << 32) + 10}) {
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    ASSERT_TRUE(::SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(h));
    ::CloseHandle(h);
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadFile(std::u16string(reinterpret_cast<const char16_t*>(path))));
    EXPECT_EQ(doc.resultLog().substr(0, 17), u"<file_error msg=\"");
    EXPECT_NE(doc.resultLog().find(u" n=\"223\"/>"), std::u16string::npos)
        << Utf8FromUtf16(doc.resultLog());
    EXPECT_EQ(doc.text(), u"");
  }
  ::DeleteFileW(path);
}

TEST(WinTextConverter, CodePagesThroughMultiByteToWideChar) {
  std::u16string out;
  const std::string latin("caf\xE9", 4);
  ConvertToUtf16(u"iso-8859-1", latin.data(), 4, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"caf\u00E9");
  const std::string euro("\x80", 1);
  ConvertToUtf16(u"windows-1252", euro.data(), 1, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"\u20AC");
  const std::string sjis("\x82\xA0", 2);
  ConvertToUtf16(u"sjis", sjis.data(), 2, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"\u3042");
  const std::string bad(
      "a\xFF"
      "b",
      3);
  ConvertToUtf16(u"utf-8", bad.data(), 3, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"a\uFFFDb");
  // 16-bit code pages are no 8-bit conversion: no text.
  ConvertToUtf16(u"utf-16", latin.data(), 4, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"");
}

TEST(WinTextConverter, EbcdicCodePage) {
  std::u16string out;
  const std::string ebcdic("\xC1\xC2", 2);
  ConvertToUtf16(u"cp500", ebcdic.data(), 2, SystemCodePageConverter(), out);
  EXPECT_EQ(out, u"AB");
}

}  // namespace
}  // namespace vwi
