// The process's first steps: the system folder becomes current, and paths
// given relative to the start folder keep their meaning.
#include "platform/win/safe_start.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

std::u16string CurrentFolder() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
  return FromWide(std::wstring_view(buffer, length));
}

TEST(SafeStart, TheSystemFolderBecomesCurrentAndTheStartFolderIsKept) {
  const std::u16string before = CurrentFolder();
  const std::u16string system = SystemFolder();
  ASSERT_FALSE(system.empty());
  EXPECT_TRUE(EqualsIgnoreAsciiCase(system.substr(system.size() - 9), u"\\system32"));
  EXPECT_EQ(EnterSafeStart(), before);
  EXPECT_TRUE(EqualsIgnoreAsciiCase(CurrentFolder(), system));
  SetCurrentDirectoryW(Wide(before));
}

TEST(SafeStart, RelativePathsAreTakenFromTheStartFolder) {
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users\\Ann\\Downloads", u"setup.log"),
            u"C:\\Users\\Ann\\Downloads\\setup.log");
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users\\Ann\\Downloads\\", u"logs\\..\\setup.log"),
            u"C:\\Users\\Ann\\Downloads\\setup.log");
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users\\Ann\\Downloads", u".\\setup.log"),
            u"C:\\Users\\Ann\\Downloads\\setup.log");
  // Absolute, drive and UNC paths stay as they are.
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users", u"D:\\Logs\\setup.log"), u"D:\\Logs\\setup.log");
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users", u"\\\\server\\logs\\setup.log"),
            u"\\\\server\\logs\\setup.log");
  EXPECT_EQ(AbsoluteFrom(u"", u"setup.log"), u"setup.log");
  EXPECT_EQ(AbsoluteFrom(u"C:\\Users", u""), u"");
}

}  // namespace
}  // namespace vwi
