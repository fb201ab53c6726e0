#include "install/win/launch_unelevated.h"

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include "install_test_support.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

using namespace vwi::test;

TEST(LaunchUnelevated, DesktopShellStartsTheProduct) {
  ResetRecordedPrograms();
  const std::wstring folder = ScratchFolder(L"vwi launch folder");
  const std::wstring product = folder + L"\\Product.exe";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"Product.exe"), product));
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const LaunchRoute route = LaunchUnelevated(FromWide(product.c_str()));
  CoUninitialize();
  EXPECT_EQ(route, LaunchRoute::kDesktopShell);
  std::optional<std::wstring> line;
  for (int i = 0; i < 100 && !line; ++i) {
    Sleep(100);
    line = ReadString(HKEY_CURRENT_USER, std::wstring(kProgramsKey) + L"\\Product", L"CommandLine");
  }
  ASSERT_TRUE(line);
  EXPECT_NE(line->find(L"Product.exe"), std::wstring::npos);
}

TEST(LaunchUnelevated, MissingFileStartsNothing) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const LaunchRoute route = LaunchUnelevated(u"C:\\nowhere\\Product.exe");
  CoUninitialize();
  // The shell accepts the request and fails it itself; either way nothing
  // starts elevated and nothing is reported.
  EXPECT_TRUE(route == LaunchRoute::kDesktopShell || route == LaunchRoute::kNotStarted);
}

}  // namespace
}  // namespace vwi
