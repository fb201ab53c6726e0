#include "wizard/win/guide_panel.h"

#include <objbase.h>

#include "controls/win/draw.h"
#include "controls/win/vrel_button.h"
#include "controls/win/vrel_static.h"
#include "controls/win/vrel_text_button.h"
#include "install/win/launch_unelevated.h"
#include "platform/win/gdi_scope.h"
#include "platform/win/wide.h"
#include "res/resource_ids.h"
#include "theme/theme.h"
#include "wizard/install_folder.h"
#include "wizard/win/install_guide.h"

namespace vwi {

constexpr int kWordmarkImage = IDB_WORDMARK;

void MakePlainChild(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, style & ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~WS_EX_DLGMODALFRAME);
}

void StartInstalledProduct(GuideEnvironment& env) {
  const std::u16string program =
      ProductProgramPath(env.choices.installFolder, env.context.manifest.mainExecutable);
  if (!env.system.PathExists(program)) return;
  const HRESULT com = CoInitialize(nullptr);
  LaunchUnelevated(program);
  if (SUCCEEDED(com)) CoUninitialize();
}

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void DrawIconAndHeadline(HDC dc, const RECT& client, HICON icon, int top,
                         const std::u16string& headline, const std::u16string& note) {
  const int iconSize = ScaleX(64);
  if (icon) {
    const int x = client.left + (client.right - client.left - iconSize) / 2;
    DrawIconEx(dc, x, client.top + top, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
  }
  if (headline.empty()) return;
  SelectScope font(dc, Fonts().headlineFont ? Fonts().headlineFont
                                            : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, Wide(headline), static_cast<int>(headline.size()), &extent);
  RECT rect = client;
  rect.top = client.top + top + iconSize + extent.cy / 2;
  rect.bottom = rect.top + extent.cy;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Palette().headlineText);
  DrawTextW(dc, Wide(headline), static_cast<int>(headline.size()), &rect,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_WORD_ELLIPSIS);
  if (note.empty()) return;
  SelectScope noteFont(dc, Fonts().labelFont
                               ? Fonts().labelFont
                               : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  GetTextExtentPoint32W(dc, Wide(note), static_cast<int>(note.size()), &extent);
  rect.top = rect.bottom;
  rect.bottom = rect.top + extent.cy;
  DrawTextW(dc, Wide(note), static_cast<int>(note.size()), &rect,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_WORD_ELLIPSIS);
}

namespace {

bool IsClickKey(WPARAM key) { return key == VK_RETURN || key == VK_SPACE; }

bool IsNavigationKey(WPARAM key) {
  switch (key) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return IsClickKey(key);
  }
}

// The skinned buttons, and the labels that act as links.
bool IsClickable(HWND control) {
  Window* object = Window::FromHandle(control);
  if (dynamic_cast<CVrelButton*>(object) || dynamic_cast<CVrelTextButton*>(object)) return true;
  return dynamic_cast<CVrelStatic*>(object) && (GetWindowLongW(control, GWL_STYLE) & SS_NOTIFY);
}

}  // namespace

Size CGuidePanel::GetPanelSize() { return DefaultPanelSize(ScreenDpi()); }

bool CGuidePanel::OnInitDialog() {
  MakePlainChild(hwnd());
  return true;
}

std::optional<LRESULT> CGuidePanel::OnEraseBkgnd(HDC dc) {
  const RECT client = ClientRect();
  {
    MemoryDc buffer(dc, client);
    FillSolid(buffer.dc(), FromRECT(client), Palette().panelBackground);
    if (auto wordmark = LoadPngResource(ImageIdForDpi(kWordmarkImage));
        wordmark && wordmark->bitmap) {
      BlendBitmap(buffer.dc(), wordmark->bitmap, 0, 0, wordmark->width, wordmark->height,
                  client.right - wordmark->width, client.top);
    }
    DrawContent(buffer.dc());
  }
  // The copy covers the client area already; the erase stays "not handled".
  return FALSE;
}

bool CGuidePanel::OnSize(UINT type, int cx, int cy) {
  DefaultProc(WM_SIZE, type, MAKELPARAM(cx, cy));
  LayoutNow();
  return true;
}

bool CGuidePanel::PreTranslateMessage(MSG& message) {
  const bool keyDown = message.message == WM_KEYDOWN;
  // The keyboard is in use: focus marks show from now on.
  if (keyDown && IsNavigationKey(message.wParam)) {
    if (CInstallGuide* guide = Guide()) guide->KeyboardUsed();
  }
  if ((keyDown || message.message == WM_KEYUP) && IsClickKey(message.wParam) &&
      GetParent(message.hwnd) == hwnd() && IsClickable(message.hwnd)) {
    const int key = static_cast<int>(message.wParam);
    if (keyDown) {
      // Bit 30: the key was down before this message (auto-repeat).
      keyClick_.Down(key, message.hwnd, (message.lParam & (1 << 30)) != 0);
    } else if (keyClick_.Up(key, message.hwnd)) {
      PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(message.hwnd), BN_CLICKED),
                   reinterpret_cast<LPARAM>(message.hwnd));
    }
    return true;
  }
  return Dialog::PreTranslateMessage(message);
}

void CGuidePanel::OnCancel() { PostMessageW(GetParent(hwnd()), WM_CLOSE, 0, 0); }

CInstallGuide* CGuidePanel::Guide() const {
  return dynamic_cast<CInstallGuide*>(FromHandle(GetParent(hwnd())));
}

LanguageEntry CGuidePanel::CurrentLanguage() const {
  const int32_t current = env_.context.strings.languageId;
  LanguageEntry entry{u"", current};
  for (const LanguageEntry& language : env_.context.languages) {
    if (language.languageId == current) entry = language;
  }
  return entry;
}

}  // namespace vwi
