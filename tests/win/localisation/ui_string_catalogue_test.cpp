#include "localisation/ui_string_catalogue.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "localisation/portable_ini_reader.h"
#include "localisation/win/win_ini_reader.h"
#include "unit/localisation/catalogue_cases.h"

namespace vwi {
namespace {

const std::u16string kFixtures = Utf16FromUtf8(VWI_FIXTURES);

TEST(UiStringCatalogue, LooksUpWithTheProfileFunctions) {
  test::CheckCatalogueLookups(kFixtures, WinIniReader());
}

TEST(UiStringCatalogue, LooksUpWithThePortableReader) {
  test::CheckCatalogueLookups(kFixtures, PortableIniReader());
}

TEST(UiStringCatalogue, FindsSlidesWithTheFileSearch) {
  test::CheckSlides(kFixtures, WinIniReader());
}

TEST(UiStringCatalogue, SlidesOfTheScreenFollowItsDpi) {
  UiStringCatalogue strings = test::FixtureCatalogue(kFixtures, WinIniReader(), 1031);
  // The test prefix starts at 96 DPI.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const auto slides = strings.SlideImages(dpi);
  ASSERT_EQ(slides.size(), 2u);
  EXPECT_NE(slides[0].find(u"\\slidesHome\\100\\"), std::u16string::npos);
}

}  // namespace
}  // namespace vwi
