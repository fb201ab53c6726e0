#include "install/program_command_line.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

InstallItem Program(std::u16string path, std::u16string arguments) {
  return {u"name", u"", std::move(path), std::move(arguments), 1, 1};
}

TEST(ProgramCommandLine, PathIsQuotedSoASpaceInTheFolderStartsNothingElse) {
  EXPECT_EQ(ProgramCommandLine(Program(u"C:\\Users\\Ann Lee\\Downloads\\component\\12vc_redist.exe",
                                       u"/install /quiet /norestart")),
            u"\"C:\\Users\\Ann Lee\\Downloads\\component\\12vc_redist.exe\" /install /quiet "
            u"/norestart");
  EXPECT_EQ(ProgramCommandLine(Program(u"C:\\w\\language_pack_1031.exe", u"/s")),
            u"\"C:\\w\\language_pack_1031.exe\" /s");
  // Without arguments the line keeps its trailing space, as Msiexec's does.
  EXPECT_EQ(ProgramCommandLine(Program(u"C:\\w\\p.exe", u"")), u"\"C:\\w\\p.exe\" ");
}

TEST(ProgramCommandLine, MsiexecGetsInstallTheQuotedPackageAndTheArguments) {
  EXPECT_EQ(MsiexecParameters(Program(u"C:\\Ann Lee\\component\\7bonjour.msi", u"/qn")),
            u"/i \"C:\\Ann Lee\\component\\7bonjour.msi\" /qn REBOOT=ReallySuppress");
  EXPECT_EQ(MsiexecParameters(Program(u"C:\\c\\bonjour.msi", u"/qn REBOOT=Force")),
            u"/i \"C:\\c\\bonjour.msi\" /qn REBOOT=Force");
}

TEST(ProgramCommandLine, PackagesAreKnownByTheirExtensionInAnyCase) {
  EXPECT_TRUE(IsPackagePath(u"C:\\c\\bonjour.msi"));
  EXPECT_TRUE(IsPackagePath(u"C:\\c\\BONJOUR.MSI"));
  EXPECT_FALSE(IsPackagePath(u"C:\\c\\bonjour.msi.exe"));
  EXPECT_FALSE(IsPackagePath(u"msi"));
}

}  // namespace
}  // namespace vwi
