#include <gtest/gtest.h>

#include "localisation/portable_ini_reader.h"
#include "localisation/win/win_ini_reader.h"
#include "platform/text.h"
#include "unit/localisation/ini_cases.h"

namespace vwi {
namespace {

const std::u16string kIniFolder = Utf16FromUtf8(VWI_FIXTURES "\\localisation\\ini\\");

// Both readers, one case table: the portable reader must agree with Windows.
void CheckReader(const IIniReader& reader, const char* label) {
  for (auto& c : test::IniCases()) {
    if (c.expected.empty() && std::string(c.file) == "long.ini") c.expected = test::LongIniValue();
    const auto value =
        reader.ReadString(kIniFolder + Utf16FromUtf8(c.file), c.section, c.key, test::kIniFallback);
    EXPECT_EQ(Utf8FromUtf16(value), Utf8FromUtf16(c.expected))
        << label << ": " << c.file << " [" << Utf8FromUtf16(c.section) << "] "
        << Utf8FromUtf16(c.key);
  }
}

TEST(IniReaders, ProfileFunctionsGiveTheExpectedValues) { CheckReader(WinIniReader(), "windows"); }

TEST(IniReaders, PortableReaderAgreesUnderWindows) { CheckReader(PortableIniReader(), "portable"); }

TEST(IniReaders, SystemReaderIsTheProfileFunctions) {
  EXPECT_NE(dynamic_cast<const WinIniReader*>(&SystemIniReader()), nullptr);
}

}  // namespace
}  // namespace vwi
