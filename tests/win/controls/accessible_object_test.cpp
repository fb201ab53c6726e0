#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

#include "controls/win/accessible_object.h"
#include "controls/win/vrel_button.h"
#include "controls/win/vrel_progress.h"
#include "controls/win/vrel_text_button.h"
#include "controls_test_support.h"
#include "platform/win/unique_handle.h"
#include "theme/theme.h"

namespace vwi {
namespace {

using test::Pump;

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

LONG Number(HRESULT result, const VARIANT& value) {
  return SUCCEEDED(result) && value.vt == VT_I4 ? value.lVal : -1;
}

// The events assistive technology hears, in this process.
std::vector<DWORD> heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_CLIENT) heard.push_back(event);
}

class AccessibleObjectTest : public ::testing::Test {
 protected:
  // Once for all: the apartment's start and end take seconds under Wine.
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  static void TearDownTestSuite() { CoUninitialize(); }
  void SetUp() override {
    InitTheme();
    ASSERT_TRUE(host.CreateModeless(nullptr));
    Pump();
  }
  void TearDown() override {
    if (IsWindow(host.hwnd())) DestroyWindow(host.hwnd());
    Pump();
  }
  ComPtr<IAccessible> ObjectOf(HWND control) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(
        AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), object.put_void()),
        S_OK);
    return object;
  }
  LONG Role(IAccessible& object) {
    VARIANT role{};
    return Number(object.get_accRole(Self(), &role), role);
  }
  LONG State(IAccessible& object) {
    VARIANT state{};
    return Number(object.get_accState(Self(), &state), state);
  }
  test::HostDialog host;
};

TEST_F(AccessibleObjectTest, TheObjectReadsTheControlsFactsOnEveryCallAndActsForIt) {
  CVrelButton box;
  ASSERT_TRUE(box.AttachDlgItem(host.hwnd(), 10));
  SetWindowTextW(box.hwnd(), L"I agree");
  ComPtr<IAccessible> object = ObjectOf(box.hwnd());
  ASSERT_TRUE(object);
  EXPECT_EQ(Role(*object.get()), ROLE_SYSTEM_PUSHBUTTON);

  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                       Hear, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  heard.clear();
  UpdateAccessibleFacts(box.hwnd(), box.accessible,
                        {.role = AccessibleRole::kCheckBox, .checked = true});
  Pump();
  UnhookWinEvent(hook);
  // The same object answers with the facts as they are now.
  EXPECT_EQ(Role(*object.get()), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_TRUE(State(*object.get()) & STATE_SYSTEM_CHECKED);
  EXPECT_EQ(heard, (std::vector<DWORD>{EVENT_OBJECT_STATECHANGE}));
  // The name is the window text; position and parent are the platform's.
  BSTR name = nullptr;
  ASSERT_EQ(object->get_accName(Self(), &name), S_OK);
  EXPECT_STREQ(name, L"I agree");
  SysFreeString(name);
  ComPtr<IDispatch> parent;
  EXPECT_EQ(object->get_accParent(parent.put()), S_OK);
  EXPECT_TRUE(parent);
  HWND window = nullptr;
  EXPECT_EQ(WindowFromAccessibleObject(object.get(), &window), S_OK);
  EXPECT_EQ(window, box.hwnd());

  // The default action is the click the parent hears.
  EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
  Pump();
  EXPECT_EQ(host.commands, (std::vector<int>{10}));
}

TEST_F(AccessibleObjectTest, AGreyActionButtonCannotBeActivated) {
  CVrelTextButton install;
  ASSERT_TRUE(install.AttachDlgItem(host.hwnd(), 11));
  install.enabled = false;
  ComPtr<IAccessible> object = ObjectOf(install.hwnd());
  ASSERT_TRUE(object);
  EXPECT_TRUE(State(*object.get()) & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(object->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
  Pump();
  EXPECT_TRUE(host.commands.empty());
  install.enabled = true;
  EXPECT_FALSE(State(*object.get()) & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
  Pump();
  EXPECT_EQ(host.commands, (std::vector<int>{11}));
}

TEST_F(AccessibleObjectTest, TheProgressBarIsNamedAfterTheStatusAndToldOnlyOfChanges) {
  CVrelProgress bar;
  ASSERT_TRUE(bar.CreateChild(host.hwnd(), RECT{0, 0, 200, 10}, 12));
  bar.range = 1000;
  ComPtr<IAccessible> object = ObjectOf(bar.hwnd());
  ASSERT_TRUE(object);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                       Hear, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  heard.clear();
  bar.SetName(u"Downloading, please wait...");
  bar.SetPosition(452);
  bar.SetName(u"Downloading, please wait...");
  bar.SetPosition(453);  // still 45%
  Pump();
  UnhookWinEvent(hook);
  EXPECT_EQ(heard, (std::vector<DWORD>{EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE}));
  EXPECT_EQ(Role(*object.get()), ROLE_SYSTEM_PROGRESSBAR);
  BSTR name = nullptr;
  ASSERT_EQ(object->get_accName(Self(), &name), S_OK);
  EXPECT_STREQ(name, L"Downloading, please wait...");
  SysFreeString(name);
  BSTR value = nullptr;
  ASSERT_EQ(object->get_accValue(Self(), &value), S_OK);
  EXPECT_STREQ(value, L"45%");
  SysFreeString(value);
}

TEST_F(AccessibleObjectTest, AnObjectKeptAfterItsControlIsGoneAnswersAsDisconnected) {
  ComPtr<IAccessible> object;
  {
    CVrelButton button;
    ASSERT_TRUE(button.AttachDlgItem(host.hwnd(), 10));
    object = ObjectOf(button.hwnd());
    ASSERT_TRUE(object);
    DestroyWindow(host.hwnd());
    Pump();
  }
  VARIANT role{};
  EXPECT_EQ(object->get_accRole(Self(), &role), RPC_E_DISCONNECTED);
  EXPECT_EQ(object->accDoDefaultAction(Self()), RPC_E_DISCONNECTED);
}

}  // namespace
}  // namespace vwi
