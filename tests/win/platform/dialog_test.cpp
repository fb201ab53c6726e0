#include "platform/win/dialog.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

constexpr UINT kModalTemplate = 500;
constexpr UINT kPanelTemplate = 501;

// A control that records the keys offered to it before dispatch.
class KeyWatcher : public Window {
 public:
  int preTranslated = 0;
  int clicks = 0;
  bool PreTranslateMessage(MSG& message) override {
    if (message.message != WM_KEYDOWN) return false;
    ++preTranslated;
    return message.wParam == 'X';  // consume X only
  }
};

class Panel : public Dialog {
 public:
  Panel() : Dialog(kPanelTemplate) {}
  bool initialised = false;

 protected:
  bool OnInitDialog() override {
    initialised = true;
    return true;
  }
};

class TestDialog : public Dialog {
 public:
  TestDialog() : Dialog(kModalTemplate) {}
  KeyWatcher edit;
  Panel panel;
  int timerTicks = 0;
  int buttonClicks = 0;
  bool hide = false;
  bool visibleDuringLoop = false;

 protected:
  bool OnInitDialog() override {
    EXPECT_TRUE(edit.AttachDlgItem(hwnd(), 1002));
    EXPECT_TRUE(panel.CreateModeless(hwnd()));
    if (hide) StayHidden();
    SetTimer(7, 10);
    return true;
  }
  bool OnTimer(UINT_PTR id) override {
    if (id != 7) return false;
    visibleDuringLoop = IsWindowVisible(hwnd()) != FALSE;
    if (++timerTicks == 1) {
      // Keys addressed to the edit pass through the loop's pre-translation.
      PostMessageW(edit.hwnd(), WM_KEYDOWN, 'A', 0);
      PostMessageW(edit.hwnd(), WM_KEYDOWN, 'X', 0);
      SendMessageW(GetDlgItem(hwnd(), 1001), BM_CLICK, 0, 0);
    } else if (timerTicks == 3) {
      KillTimer(7);
      EndDialog(42);
    }
    return true;
  }
  bool OnCommand(int id, int code, HWND) override {
    if (id == 1001 && code == BN_CLICKED) {
      ++buttonClicks;
      return true;
    }
    return false;
  }
};

TEST(Dialog, ModalLoopRunsHandlersAndPreTranslation) {
  TestDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(dialog.timerTicks, 3);
  EXPECT_EQ(dialog.buttonClicks, 1);
  EXPECT_EQ(dialog.edit.preTranslated, 2);
  EXPECT_TRUE(dialog.panel.initialised);
  EXPECT_TRUE(dialog.visibleDuringLoop);
  // The window and its children are gone and the objects unbound.
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.edit.hwnd(), nullptr);
  EXPECT_EQ(dialog.panel.hwnd(), nullptr);
}

TEST(Dialog, StayHiddenKeepsTheModalWindowInvisible) {
  TestDialog dialog;
  dialog.hide = true;
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_FALSE(dialog.visibleDuringLoop);
}

TEST(Dialog, MissingTemplateFails) {
  class Missing : public Dialog {
   public:
    Missing() : Dialog(9999) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Window, AttachRefusesASecondBinding) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  Window first, second;
  EXPECT_TRUE(first.Attach(window));
  EXPECT_FALSE(second.Attach(window));
  EXPECT_EQ(Window::FromHandle(window), &first);
  first.Detach();
  EXPECT_EQ(Window::FromHandle(window), nullptr);
  EXPECT_TRUE(second.Attach(window));
  DestroyWindow(window);
  EXPECT_EQ(second.hwnd(), nullptr);
}

}  // namespace
}  // namespace vwi
