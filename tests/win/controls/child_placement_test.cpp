#include "controls/win/child_placement.h"

#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "platform/win/unique_handle.h"

namespace vwi {
namespace {

using test::Pump;

class ChildPlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateModeless(nullptr));
    button = GetDlgItem(host.hwnd(), 10);
    combo = GetDlgItem(host.hwnd(), 13);
    PlaceControl(button, {10, 10, 110, 40});
    PlaceDropDown(combo, {10, 80, 150, 104}, 96);
    Painted();
  }
  void TearDown() override {
    DestroyWindow(host.hwnd());
    Pump();
  }
  void Painted() {
    RedrawWindow(host.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  }
  bool Pending(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }
  bool PendingAt(int x, int y) {
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(host.hwnd(), region.get(), FALSE);
    return PtInRegion(region.get(), x, y) != FALSE;
  }

  test::HostDialog host;
  HWND button = nullptr;
  HWND combo = nullptr;
};

TEST_F(ChildPlacementTest, ALayoutThatChangesNothingPaintsNothing) {
  EXPECT_FALSE(PlaceControl(button, {10, 10, 110, 40}));
  EXPECT_FALSE(PlaceDropDown(combo, {10, 80, 150, 104}, 96));
  EXPECT_FALSE(Pending(host.hwnd()));
  EXPECT_FALSE(Pending(button));
  EXPECT_FALSE(Pending(combo));
}

TEST_F(ChildPlacementTest, AMovedControlRepaintsWhereItWasOnly) {
  EXPECT_TRUE(PlaceControl(button, {10, 50, 110, 80}));
  RECT moved{};
  GetWindowRect(button, &moved);
  MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&moved), 2);
  EXPECT_EQ(moved.top, 50);
  EXPECT_EQ(moved.bottom, 80);
  // Its picture moves with it; the place it left is drawn again.
  EXPECT_TRUE(PendingAt(50, 20));
  EXPECT_FALSE(PendingAt(250, 200));  // the rest of the window
  EXPECT_FALSE(Pending(combo));
}

TEST_F(ChildPlacementTest, ADropDownKeepsRoomForItsList) {
  for (const wchar_t* item : {L"one", L"two", L"three", L"four", L"five", L"six"}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  EXPECT_TRUE(PlaceDropDown(combo, {10, 120, 150, 144}, 96));
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT list{};
  GetWindowRect(info.hwndList, &list);
  EXPECT_GT(list.bottom - list.top, 48);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
}  // namespace vwi
