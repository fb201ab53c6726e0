#include "controls/win/vrel_dialog.h"

#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "theme/theme.h"

namespace vwi {
namespace {

using test::Pump;

class FrameDialog : public CVrelDialog {
 public:
  FrameDialog() : CVrelDialog(401) {}
  std::vector<UINT> sysCommands;
  RECT lastLayout{};

 protected:
  bool OnSysCommand(UINT command, LPARAM) override {
    sysCommands.push_back(command & 0xFFF0);
    return true;  // the test window stays
  }
  void OnLayout(const RECT& client) override { lastLayout = client; }
};

class VrelDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTheme();
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    SetWindowPos(dialog.hwnd(), HWND_TOP, 100, 100, 500, 400, SWP_SHOWWINDOW);
    Pump();
    dialog.RedrawFrame();
    GetWindowRect(dialog.hwnd(), &window);
  }
  void TearDown() override {
    DestroyWindow(dialog.hwnd());
    Pump();
  }
  POINT Screen(int x, int y) const { return {window.left + x, window.top + y}; }
  void Nc(UINT message, UINT hit, int x, int y) {
    const POINT p = Screen(x, y);
    SendMessageW(dialog.hwnd(), message, hit, MAKELPARAM(p.x, p.y));
  }
  COLORREF FramePixel(int x, int y) {
    HDC dc = GetWindowDC(dialog.hwnd());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(dialog.hwnd(), dc);
    return c;
  }

  FrameDialog dialog;
  RECT window{};
};

TEST_F(VrelDialogTest, ClientAreaRegionAndLayoutAt96) {
  RECT client{};
  GetClientRect(dialog.hwnd(), &client);
  EXPECT_EQ(client.right, 498);
  EXPECT_EQ(client.bottom, 370);
  POINT origin{0, 0};
  ClientToScreen(dialog.hwnd(), &origin);
  EXPECT_EQ(origin.x - window.left, 1);
  EXPECT_EQ(origin.y - window.top, 29);
  EXPECT_EQ(dialog.lastLayout.right, 498);

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(dialog.hwnd(), region), ERROR);
  RECT box{};
  GetRgnBox(region, &box);
  DeleteObject(region);
  EXPECT_EQ(box.right, 500);
  EXPECT_EQ(box.bottom, 400);

  const CaptionButton* close = dialog.captionButton(kCaptionClose);
  ASSERT_TRUE(close);
  EXPECT_EQ(close->rect, (Rect{469, 1, 499, 31}));
  EXPECT_EQ(dialog.captionButton(kCaptionMinimize)->rect, (Rect{439, 1, 469, 31}));
  EXPECT_FALSE(dialog.captionButton(kCaptionRestore)->visible);
}

TEST_F(VrelDialogTest, FramePaintsBorderAndHoverColours) {
  EXPECT_EQ(FramePixel(0, 200), RGB(24, 25, 30));
  EXPECT_EQ(FramePixel(480, 3), RGB(24, 25, 30));
  Nc(WM_NCMOUSEMOVE, HTCAPTION, 484, 10);
  EXPECT_EQ(FramePixel(470, 3), RGB(181, 39, 36));
  EXPECT_EQ(FramePixel(470, 28), RGB(181, 39, 36));
  EXPECT_EQ(FramePixel(499, 3), RGB(24, 25, 30));  // the border beside it
  Nc(WM_NCMOUSEMOVE, HTCAPTION, 450, 10);
  EXPECT_EQ(FramePixel(470, 3), RGB(24, 25, 30));
  EXPECT_EQ(FramePixel(445, 3), RGB(49, 63, 73));
  Nc(WM_NCLBUTTONDOWN, HTCAPTION, 450, 10);
  EXPECT_EQ(FramePixel(445, 3), RGB(28, 31, 33));
  Nc(WM_NCLBUTTONUP, HTCAPTION, 450, 10);
}

TEST_F(VrelDialogTest, ClicksBecomeSystemCommands) {
  Nc(WM_NCLBUTTONDOWN, HTCAPTION, 484, 10);
  Nc(WM_NCLBUTTONUP, HTCAPTION, 484, 10);
  Nc(WM_NCLBUTTONDOWN, HTCAPTION, 450, 10);
  Nc(WM_NCLBUTTONUP, HTCAPTION, 450, 10);
  // Pressed on Minimize, released on Close: nothing.
  Nc(WM_NCLBUTTONDOWN, HTCAPTION, 450, 10);
  Nc(WM_NCLBUTTONUP, HTCAPTION, 484, 10);
  // Pressed on Close, released on the caption: nothing, and Close looks normal.
  Nc(WM_NCLBUTTONDOWN, HTCAPTION, 484, 10);
  Nc(WM_NCLBUTTONUP, HTCAPTION, 200, 10);
  EXPECT_EQ(dialog.sysCommands, (std::vector<UINT>{SC_CLOSE, SC_MINIMIZE}));
  EXPECT_EQ(FramePixel(470, 3), RGB(24, 25, 30));
}

TEST_F(VrelDialogTest, DisabledCloseIsFadedAndInert) {
  dialog.captionButton(kCaptionClose)->disabled = true;
  dialog.RedrawFrame();
  Nc(WM_NCMOUSEMOVE, HTCLOSE, 484, 10);
  EXPECT_EQ(FramePixel(470, 3), RGB(24, 25, 30));
  Nc(WM_NCLBUTTONDOWN, HTCLOSE, 484, 10);
  Nc(WM_NCLBUTTONUP, HTCLOSE, 484, 10);
  EXPECT_TRUE(dialog.sysCommands.empty());
  // The glyph's opaque grey is blended at 50/255 over the frame colour.
  const COLORREF faded = FramePixel(476 + 3, 8 + 3);
  EXPECT_LT(GetRValue(faded), 70);
  EXPECT_GT(GetRValue(faded), 24);
}

TEST_F(VrelDialogTest, DoubleClickWithoutMaximizeStyleDoesNothing) {
  Nc(WM_NCLBUTTONDBLCLK, HTCAPTION, 200, 10);
  EXPECT_TRUE(dialog.sysCommands.empty());
  EXPECT_FALSE(IsZoomed(dialog.hwnd()));
}

TEST_F(VrelDialogTest, IconAndTitleOnlyWhenAsked) {
  // Without icon and title the caption's left part is plain frame colour.
  SetWindowTextW(dialog.hwnd(), L"WWWWWWWWWW");
  dialog.RedrawFrame();
  for (int x = 2; x < 100; x += 3) ASSERT_EQ(FramePixel(x, 14), RGB(24, 25, 30)) << x;
  dialog.showIconAndTitle = true;
  dialog.RedrawFrame();
  bool text = false;
  for (int x = 6; x < 100 && !text; ++x) {
    for (int y = 8; y < 22 && !text; ++y) text = FramePixel(x, y) != RGB(24, 25, 30);
  }
  EXPECT_TRUE(text);
}

}  // namespace
}  // namespace vwi
