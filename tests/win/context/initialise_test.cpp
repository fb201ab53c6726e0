// Initialise under Windows with the demo product laid out beside a program
// path of the test's own: the real XML loading, profile functions, registry
// and Windows Installer.
#include <windows.h>

#include <gtest/gtest.h>

#include "context/installer_context.h"
#include "platform/registry_key.h"
#include "platform/text.h"
#include "platform/win/wide.h"
#include "platform/win/win_system_services.h"
#include "win/context/user_services.h"

namespace vwi {
namespace {

class SilentBox final : public IMessageBox {
 public:
  int shown = 0;
  int Show(std::u16string_view, std::u16string_view, uint32_t) override { return ++shown, 1; }
};

const std::u16string kDemo = Utf16FromUtf8(VWI_FIXTURES "\\..\\..\\demo");

TEST(InitialiseUnderWindows, ReadsTheDemoProduct) {
  WinSystemServices real;
  const std::u16string folder = real.TempFolder() + u"vwi-initialise-" +
                                DecimalText(GetCurrentProcessId()) + u"-" +
                                DecimalText(GetTickCount());
  ASSERT_TRUE(real.CreateFolderTree(folder + u"\\config"));
  ASSERT_TRUE(real.CreateFolderTree(folder + u"\\language\\1031"));
  ASSERT_TRUE(real.CreateFolderTree(folder + u"\\language\\1036"));
  for (const std::u16string name :
       {u"\\config\\manifestHome.xml", u"\\language\\1031\\stringHome.ini",
        u"\\language\\1036\\stringHome.ini"}) {
    ASSERT_TRUE(CopyFileW(Wide(kDemo + name), Wide(folder + name), FALSE)) << Utf8FromUtf16(name);
  }
  RegistryKey before;
  const bool overrideKeyExisted =
      before.OpenForRead(RegistryRoot::kCurrentUser, kManifestOverrideKey);
  before.Close();

  // The program file placed in the test's folder, run with the user's rights.
  test::UserServices system(folder + u"\\VimzeeWebInstaller.exe");
  AppFlags flags;
  SilentBox box;
  ContextServices services{system, flags};
  ContextServices chosen{services.system,
                         services.flags,
                         services.registry,
                         services.products,
                         box,
                         services.files,
                         services.converter,
                         1036};
  InstallerContext context;
  EXPECT_EQ(context.Initialise(chosen), kInitialiseOk);
  EXPECT_TRUE(context.initialised);
  EXPECT_EQ(context.manifest.fullName, u"Vimzee Home 27");
  EXPECT_EQ(context.manifest.transforms.size(), 2u);
  EXPECT_EQ(context.languages,
            (std::vector<LanguageEntry>{
                {u"English", 1033}, {u"Deutsch", 1031}, {u"Fran\u00e7ais", 1036}}));
  EXPECT_EQ(context.strings.languageId, 1036);
  EXPECT_EQ(context.strings.LookupUiString(IDS_INSTALL), u"Installer");
  context.FinishInstallationProbe();
  EXPECT_EQ(context.installedVersion, u"");
  EXPECT_FALSE(flags.productInstalled);
  EXPECT_EQ(box.shown, 0);
  EXPECT_TRUE(real.PathExists(folder + u"\\component\\"));

  if (!overrideKeyExisted) {
    SystemRegistry().DeleteTree(RegistryRoot::kCurrentUser, kManifestOverrideKey, 0);
  }
  context.workFolders.Finish();  // the run's end: nothing is held any more
  SHFILEOPSTRUCTW remove = {};
  std::wstring from = ToWide(folder);
  from.push_back(L'\0');  // the list ends with an empty name
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationW(&remove);
}

}  // namespace
}  // namespace vwi
