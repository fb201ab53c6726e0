#include "install/win/run_program.h"

#include <gtest/gtest.h>

#include "install_test_support.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

using namespace vwi::test;

std::wstring RecordedLine(const wchar_t* role) {
  return ReadString(HKEY_CURRENT_USER, std::wstring(kProgramsKey) + L"\\" + role, L"CommandLine")
      .value_or(L"<not run>");
}

TEST(RunProgram, FolderWithASpaceStartsTheProgramItselfAndWaitsForIt) {
  ResetRecordedPrograms();
  // "C:\...\Ann Lee\..." unquoted would start "C:\...\Ann.exe".
  const std::wstring base = ScratchFolder(L"vwi run");
  const std::wstring folder = base + L"\\Ann Lee";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring pack = folder + L"\\123language_pack_1031.exe";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"language_pack.exe"), pack));
  ASSERT_TRUE(CopyInto(BuiltFixture(L"Product.exe"), base + L"\\Ann.exe"));

  const InstallItem item{u"language_pack", u"", FromWide(pack.c_str()), u"/s", 1, 1};
  ASSERT_TRUE(RunProgram(item));
  // The program has ended by now: its record is there without waiting.
  EXPECT_EQ(RecordedLine(L"LanguagePack"), L"\"" + pack + L"\" /s");
  EXPECT_EQ(RecordedLine(L"Product"), L"<not run>");
}

TEST(RunProgram, MissingProgramCannotStart) {
  const InstallItem item{u"x", u"", u"C:\\nowhere\\setup.exe", u"/s", 1, 1};
  EXPECT_FALSE(RunProgram(item));
}

TEST(RunProgram, PrerequisitePackageRunsThroughMsiexecToItsEnd) {
  Uninstall(kPrerequisiteCode);
  DeleteKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Apple Inc.\\Bonjour");
  const std::wstring folder = ScratchFolder(L"vwi run msi") + L"\\";
  const std::wstring package = folder + L"456bonjour.msi";
  ASSERT_TRUE(CopyInto(BuiltFixture(L"prerequisite.msi"), package));
  const InstallItem item{u"bonjour.msi", u"", FromWide(package.c_str()), u"/qn", 1, 1};
  ASSERT_TRUE(RunProgram(item));
  // Waited for: the main package may start right away.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Apple Inc.\\Bonjour", L"Version")
                .value_or(L"<missing>"),
            L"3.0.0.10");
  Uninstall(kPrerequisiteCode);
}

}  // namespace
}  // namespace vwi
