#include <gtest/gtest.h>

#include "controls/win/vrel_button.h"
#include "controls/win/vrel_combo_box.h"
#include "controls/win/vrel_edit.h"
#include "controls/win/vrel_progress.h"
#include "controls/win/vrel_slide_show.h"
#include "controls/win/vrel_static.h"
#include "controls/win/vrel_text_button.h"
#include "controls_test_support.h"
#include "res/resource_ids.h"
#include "theme/theme.h"

namespace vwi {
namespace {

using test::At;
using test::ClientPixel;
using test::Pump;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTheme();
    ASSERT_TRUE(host.CreateModeless(nullptr));
    ShowWindow(host.hwnd(), SW_SHOW);
    Pump();
  }
  void TearDown() override {
    DestroyWindow(host.hwnd());
    Pump();
  }
  void Paint(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME);
    Pump();
  }
  test::HostDialog host;
};

TEST_F(ControlsTest, TextButtonColoursAndClicks) {
  CVrelTextButton button;
  ASSERT_TRUE(button.AttachDlgItem(host.hwnd(), 10));
  button.SetText(u"Install");
  const RECT r = button.ClientRect();
  const int y = r.bottom / 2;
  Paint(button.hwnd());
  EXPECT_EQ(ClientPixel(button.hwnd(), 3, y), RGB(7, 165, 216));
  EXPECT_EQ(ClientPixel(button.hwnd(), 0, 0), RGB(24, 25, 30));  // outside the rounded corner

  SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(button.mouse().pressed);
  Paint(button.hwnd());
  EXPECT_EQ(ClientPixel(button.hwnd(), 3, y), RGB(5, 138, 181));  // held, no hover
  SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  Pump();
  EXPECT_EQ(host.commands, (std::vector<int>{10}));

  SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, At(-20, 5));
  Pump();
  EXPECT_EQ(host.commands.size(), 1u);

  button.enabled = false;
  button.ResetMouseState();
  Paint(button.hwnd());
  EXPECT_EQ(ClientPixel(button.hwnd(), 3, y), RGB(112, 112, 112));
  SendMessageW(button.hwnd(), WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_FALSE(button.mouse().hover);
  SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  Pump();
  EXPECT_EQ(host.commands.size(), 1u);
}

TEST_F(ControlsTest, FlatButtonDrawsAndClicks) {
  CVrelButton button;
  ASSERT_TRUE(button.AttachDlgItem(host.hwnd(), 11));
  EXPECT_EQ(GetWindowLongW(button.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  button.SetAppearance(RGB(65, 66, 70), RGB(85, 86, 90), RGB(55, 56, 60), RGB(54, 138, 211), u"");
  Paint(button.hwnd());
  EXPECT_EQ(ClientPixel(button.hwnd(), 2, 2), RGB(65, 66, 70));
  SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(4, 4));
  Paint(button.hwnd());
  EXPECT_EQ(ClientPixel(button.hwnd(), 0, 0), RGB(54, 138, 211));  // border while pressed
  EXPECT_EQ(ClientPixel(button.hwnd(), 4, 4), RGB(55, 56, 60));
  SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, At(4, 4));
  Pump();
  EXPECT_EQ(host.commands, (std::vector<int>{11}));

  // An image replaces nothing of the colours; its frame is centred.
  const auto ticked = LoadPngResource(IDB_CHECK_TICKED);
  ASSERT_TRUE(ticked && ticked->bitmap);
  button.SetImage(*ticked);
  Paint(button.hwnd());
  const RECT r = button.ClientRect();
  EXPECT_EQ(ClientPixel(button.hwnd(), r.right / 2, (r.bottom - 16) / 2 + 2), RGB(7, 165, 216));
}

TEST_F(ControlsTest, EditFirstClickSelectsAllAndColoursReflect) {
  CVrelEdit edit;
  ASSERT_TRUE(edit.AttachDlgItem(host.hwnd(), 12));
  EXPECT_EQ(GetWindowLongW(edit.hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  edit.SetBackColor(RGB(47, 48, 52));
  edit.textColor = RGB(255, 255, 255);
  SetWindowTextW(edit.hwnd(), L"C:\\Vimzee");
  SetFocus(host.hwnd());
  SendMessageW(edit.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageW(edit.hwnd(), WM_LBUTTONUP, 0, At(3, 3));
  DWORD start = 0, end = 0;
  SendMessageW(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 9u);
  EXPECT_TRUE(edit.focused);
  SendMessageW(edit.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
  SendMessageW(edit.hwnd(), WM_LBUTTONUP, 0, At(3, 3));
  SendMessageW(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);  // the second click places the caret

  HDC dc = GetDC(edit.hwnd());
  const LRESULT brush = SendMessageW(host.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(edit.hwnd()));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), edit.backBrush.get());
  EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
  EnableWindow(edit.hwnd(), FALSE);
  SendMessageW(host.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(edit.hwnd()));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_GRAYTEXT));
  ReleaseDC(edit.hwnd(), dc);
}

TEST_F(ControlsTest, StaticDrawsItsTextOnItsBackground) {
  CVrelStatic label;
  ASSERT_TRUE(label.AttachDlgItem(host.hwnd(), 14));
  EXPECT_EQ(GetWindowLongW(label.hwnd(), GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
  label.backColor = RGB(24, 25, 30);
  label.textColor = RGB(255, 255, 255);
  label.text = u"WWWW";
  label.format = DT_LEFT | DT_TOP | DT_SINGLELINE;
  Paint(label.hwnd());
  const RECT r = label.ClientRect();
  EXPECT_EQ(ClientPixel(label.hwnd(), r.right - 1, r.bottom - 1), RGB(24, 25, 30));
  bool ink = false;
  for (int x = 0; x < 30 && !ink; ++x) {
    for (int y = 0; y < r.bottom && !ink; ++y)
      ink = ClientPixel(label.hwnd(), x, y) == RGB(255, 255, 255);
  }
  EXPECT_TRUE(ink);
  SendMessageW(label.hwnd(), WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(label.focused);
  SendMessageW(label.hwnd(), WM_KILLFOCUS, 0, 0);
  EXPECT_FALSE(label.focused);
}

TEST_F(ControlsTest, ComboTogglesItsListAndWidensFor31Items) {
  CVrelComboBox combo;
  ASSERT_TRUE(combo.AttachDlgItem(host.hwnd(), 13));
  ASSERT_TRUE(combo.edit.hwnd());
  ASSERT_TRUE(combo.list.hwnd());
  EXPECT_FALSE(IsWindowVisible(combo.edit.hwnd()));
  SendMessageW(combo.edit.hwnd(), EM_SETREADONLY, TRUE, 0);
  const wchar_t* longest = L"A language name much wider than the box itself";
  for (int i = 0; i < 30; ++i) {
    SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(i == 3 ? longest : L"x"));
  }
  SendMessageW(combo.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(combo.ListShown());
  const LRESULT width30 = SendMessageW(combo.hwnd(), CB_GETDROPPEDWIDTH, 0, 0);
  SendMessageW(combo.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_FALSE(combo.ListShown());
  EXPECT_FALSE(combo.hover);

  SendMessageW(combo.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"y"));
  SendMessageW(combo.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  const LRESULT width31 = SendMessageW(combo.hwnd(), CB_GETDROPPEDWIDTH, 0, 0);
  SendMessageW(combo.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(width31 - width30, GetSystemMetrics(SM_CXVSCROLL));
  const RECT box = combo.WindowRect();
  EXPECT_GT(width30, box.right - box.left);
}

TEST_F(ControlsTest, ProgressFillsUpToThePosition) {
  CVrelProgress bar;
  ASSERT_TRUE(bar.CreateChild(host.hwnd(), RECT{10, 150, 410, 170}, 20));
  bar.backgroundColor = RGB(24, 25, 30);
  bar.trackColor = RGB(75, 71, 70);
  bar.fillColor = RGB(7, 165, 216);
  bar.range = 1000;
  bar.barRect = RECT{0, 0, 200, 6};
  bar.position = 0;
  Paint(bar.hwnd());
  EXPECT_EQ(ClientPixel(bar.hwnd(), 200, 10), RGB(75, 71, 70));
  EXPECT_EQ(ClientPixel(bar.hwnd(), 200, 2), RGB(24, 25, 30));
  bar.position = 500;
  Paint(bar.hwnd());
  EXPECT_EQ(ClientPixel(bar.hwnd(), 195, 10), RGB(7, 165, 216));
  EXPECT_EQ(ClientPixel(bar.hwnd(), 205, 10), RGB(75, 71, 70));
  bar.position = 1000;
  Paint(bar.hwnd());
  EXPECT_EQ(ClientPixel(bar.hwnd(), 295, 10), RGB(7, 165, 216));
  DestroyWindow(bar.hwnd());
}

TEST_F(ControlsTest, SlideShowClickAndCursor) {
  CVrelSliderShowCtrl show;
  ASSERT_TRUE(show.CreateChild(host.hwnd(), RECT{10, 180, 110, 240}, 21));
  Paint(show.hwnd());
  EXPECT_EQ(ClientPixel(show.hwnd(), 50, 30), RGB(24, 25, 30));  // no pictures: background
  SendMessageW(show.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(host.slideClicks, 1);
  SendMessageW(show.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(show.hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  DestroyWindow(show.hwnd());
}

}  // namespace
}  // namespace vwi
