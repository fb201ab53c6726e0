// The names a manifest may give its files.
#include <gtest/gtest.h>

#include "context/plain_file_name.h"

namespace vwi {
namespace {

TEST(PlainFileName, OrdinaryNamesPass) {
  for (const char16_t* name : {u"", u"VimzeeHome27.msi", u"1031.mst", u"vc_redist.exe",
                               u"language_pack_1031", u"Vimzee Home 27", u".hidden", u"a..b.msi",
                               u"CONSOLE.exe", u"COM10.exe", u"NULL", u"über.msi"}) {
    EXPECT_TRUE(IsPlainFileName(name)) << std::u16string(name).size();
  }
}

TEST(PlainFileName, NamesThatLeaveTheFolderOrNameADeviceFail) {
  for (const char16_t* name :
       {u"..",       u".",       u"..\\a.msi",    u"a\\b.msi",
        u"a/b.msi",  u"C:a.msi", u"a.msi:stream", u"\\\\server\\share\\a.msi",
        u"a.msi.",   u"a.msi ",  u"a*.msi",       u"a?.msi",
        u"a\".msi",  u"a<b",     u"a>b",          u"a|b",
        u"a\tb",     u"CON",     u"con.msi",      u"Nul.tar.gz",
        u"AUX .exe", u"COM1",    u"lpt9.exe",     u"COM\u00B9.exe",
        u"PRN"}) {
    EXPECT_FALSE(IsPlainFileName(name)) << std::u16string(name).size();
  }
  EXPECT_TRUE(IsPlainFileName(std::u16string(255, u'a')));
  EXPECT_FALSE(IsPlainFileName(std::u16string(256, u'a')));
}

TEST(PlainFileName, EveryNameOfTheManifestCounts) {
  ProductManifest good;
  good.mainComponentName = u"a.msi";
  good.fullName = u"Vimzee Home 27";
  good.transforms.push_back({});
  good.languagePacks.push_back({});
  good.dependencies.push_back({});
  EXPECT_TRUE(HasPlainFileNames(good));

  ProductManifest bad = good;
  bad.fullName = u"..\\..\\Start Menu\\Programs\\Startup\\x";
  EXPECT_FALSE(HasPlainFileNames(bad));
  bad = good;
  bad.transforms.back().name = u"..\\1031.mst";
  EXPECT_FALSE(HasPlainFileNames(bad));
  bad = good;
  bad.languagePacks.back().name = u"x/../lp.exe";
  EXPECT_FALSE(HasPlainFileNames(bad));
  bad = good;
  bad.dependencies.back().name = u"AUX";
  EXPECT_FALSE(HasPlainFileNames(bad));
}

}  // namespace
}  // namespace vwi
