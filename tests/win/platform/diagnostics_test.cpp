#include "platform/diagnostics.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "platform/win/wide.h"

namespace vwi {
namespace {

TEST(Diagnostics, LinesAreAppendedToTheChosenFileAsUtf8) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vwi-diagnostics-test.log";
  DeleteFileW(path.c_str());
  SetDiagnosticFile(FromWide(path.c_str()));
  DiagnosticLine(u"first line\r\n");
  DiagnosticLine(u"zweite Zeile \u00fc\r\n");
  SetDiagnosticFile(u"");
  DiagnosticLine(u"not written\r\n");

  std::ifstream in(path.c_str(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "first line\r\nzweite Zeile \xC3\xBC\r\n");
  in.close();
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace vwi
