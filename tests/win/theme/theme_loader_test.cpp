#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/win/wide.h"
#include "res/resource_ids.h"
#include "theme/theme.h"

namespace vwi {
namespace {

const std::u16string kFolder = FromWide(VWI_TEST_SOURCE_DIR L"\\theme\\");

// Pixel (x, y) of a 32-bit top-down DIB section as blue, green, red, alpha.
std::array<int, 4> PixelAt(const CImageWrapper& image, int x, int y) {
  DIBSECTION dib{};
  if (!GetObjectW(image.bitmap, sizeof(dib), &dib) || !dib.dsBm.bmBits) return {-1, -1, -1, -1};
  const auto* row = static_cast<const BYTE*>(dib.dsBm.bmBits) + y * dib.dsBm.bmWidthBytes;
  const BYTE* p = row + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

TEST(ThemeLoader, PngResourceIsPremultipliedTopDown) {
  const auto image = LoadPngResource(901);
  ASSERT_TRUE(image && image->bitmap);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  EXPECT_EQ(image->frameCount, 1);
  EXPECT_EQ(image->horizontalFrames, 1);
  EXPECT_EQ(PixelAt(*image, 0, 0), (std::array<int, 4>{128, 128, 128, 128}));
  EXPECT_EQ(PixelAt(*image, 1, 0), (std::array<int, 4>{200, 100, 10, 255}));
  DIBSECTION dib{};
  ASSERT_TRUE(GetObjectW(image->bitmap, sizeof(dib), &dib));
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);

  // Row 0 is the top: the downward chevron's point is near the bottom.
  const auto down = LoadPngResource(IDB_EXPANDER_DOWN);
  ASSERT_TRUE(down && down->bitmap);
  EXPECT_EQ(PixelAt(*down, 7, 1)[3], 0);
  EXPECT_GT(PixelAt(*down, 7, 6)[3], 128);
}

TEST(ThemeLoader, EveryProgramImageHasItsFourSizes) {
  struct Image {
    int base;
    std::array<SIZE, 4> sizes;
  };
  const SIZE sq[4] = {{16, 16}, {20, 20}, {24, 24}, {32, 32}};
  const Image images[] = {
      {106, {sq[0], sq[1], sq[2], sq[3]}},
      {110, {sq[0], sq[1], sq[2], sq[3]}},
      {114, {sq[0], sq[1], sq[2], sq[3]}},
      {118, {sq[0], sq[1], sq[2], sq[3]}},
      {129, {{{161, 26}, {202, 33}, {242, 39}, {321, 52}}}},
      {144, {{{42, 14}, {54, 18}, {63, 21}, {84, 28}}}},
      {153, {sq[0], sq[1], sq[2], sq[3]}},
      {157, {sq[0], sq[1], sq[2], sq[3]}},
      {161, {{{14, 8}, {17, 11}, {21, 12}, {28, 16}}}},
      {165, {{{14, 8}, {17, 11}, {21, 12}, {28, 16}}}},
  };
  for (const Image& i : images) {
    for (int step = 0; step < 4; ++step) {
      SCOPED_TRACE(i.base + step);
      const auto image = LoadPngResource(i.base + step);
      ASSERT_TRUE(image && image->bitmap);
      EXPECT_EQ(image->width, i.sizes[step].cx);
      EXPECT_EQ(image->height, i.sizes[step].cy);
    }
  }
  // The Maximize glyph's square is opaque caption grey on a transparent ground.
  const auto maximize = LoadPngResource(IDB_MAXIMIZE_GLYPH);
  EXPECT_EQ(PixelAt(*maximize, 3, 3), (std::array<int, 4>{200, 200, 200, 255}));
  EXPECT_EQ(PixelAt(*maximize, 0, 0), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(PixelAt(*maximize, 8, 8), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST(ThemeLoader, SameIdTwiceIsTheSameImage) {
  const auto first = LoadPngResource(IDB_CLOSE_GLYPH + 1);
  const auto second = LoadPngResource(IDB_CLOSE_GLYPH + 1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first.get(), second.get());
}

TEST(ThemeLoader, MissingIdIsEmptyEveryTime) {
  EXPECT_EQ(LoadPngResource(4242), nullptr);
  EXPECT_EQ(LoadPngResource(4242), nullptr);
}

TEST(ThemeLoader, UndecodableResourceIsCachedEmpty) {
  const auto broken = LoadPngResource(900);
  ASSERT_TRUE(broken);
  EXPECT_EQ(broken->bitmap, nullptr);
  EXPECT_EQ(broken->width, 0);
  EXPECT_EQ(broken->height, 0);
  EXPECT_EQ(LoadPngResource(900).get(), broken.get());
}

TEST(ThemeLoader, ImageFileKeepsStraightAlpha) {
  const auto image = LoadImageFromFile(kFolder + u"theme_premultiply.png");
  ASSERT_TRUE(image && image->bitmap);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(PixelAt(*image, 0, 0), (std::array<int, 4>{255, 255, 255, 128}));
}

TEST(ThemeLoader, ImageFileMissingOrUndecodable) {
  EXPECT_EQ(LoadImageFromFile(kFolder + u"no-such-picture.jpg"), nullptr);
  EXPECT_EQ(LoadImageFromFile(kFolder), nullptr);  // a folder is no picture
  const auto broken = LoadImageFromFile(kFolder + u"theme_images.rc");
  ASSERT_TRUE(broken);
  EXPECT_EQ(broken->bitmap, nullptr);
  EXPECT_EQ(broken->width, 0);
}

TEST(ThemeLoader, InitThemeFillsPaletteAndFonts) {
  InitTheme();
  EXPECT_EQ(Palette().actionNormal, RGB(7, 165, 216));
  EXPECT_EQ(Palette().frameBackground, RGB(24, 25, 30));
  const ThemeFonts& fonts = Fonts();
  struct Want {
    HFONT font;
    const wchar_t* face;
    int height, weight;
    bool underline;
  };
  const Want wants[] = {
      {fonts.labelFont, L"Tahoma", ScaleX(14), 400, false},
      {fonts.linkFont, L"Tahoma", ScaleX(14), 400, true},
      {fonts.buttonFont, L"Tahoma", ScaleX(18), 400, false},
      {fonts.headlineFont, L"Arial", ScaleX(32), 700, false},
  };
  for (const Want& w : wants) {
    SCOPED_TRACE(w.face);
    LOGFONTW lf{};
    ASSERT_TRUE(w.font && GetObjectW(w.font, sizeof(lf), &lf));
    EXPECT_STREQ(lf.lfFaceName, w.face);
    EXPECT_EQ(lf.lfHeight, w.height);
    EXPECT_EQ(lf.lfWeight, w.weight);
    EXPECT_EQ(lf.lfUnderline != 0, w.underline);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(lf.lfOutPrecision, OUT_STROKE_PRECIS);
  }
  ReleaseTheme();
  EXPECT_EQ(Fonts().labelFont, nullptr);
}

TEST(ThemeLoader, ScreenDpiComesFromTheDisplay) {
  HDC screen = GetDC(nullptr);
  const int expected = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(QueryScreenDpi().dpiY, expected);
  EXPECT_EQ(ScreenDpi().dpiY, expected);
}

}  // namespace
}  // namespace vwi
