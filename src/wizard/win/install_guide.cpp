#include "wizard/win/install_guide.h"

#include "platform/win/wide.h"
#include "res/resource_ids.h"
#include "theme/dpi_scaling.h"
#include "wizard/win/setting_panel.h"
#include "wizard/win/status_panel.h"
#include "wizard/win/success_panel.h"

namespace vwi {

CInstallGuide::CInstallGuide(GuideEnvironment environment)
    : CVrelDialog(IDD_INSTALL_GUIDE), env_(environment) {}

bool CInstallGuide::OnInitDialog() {
  CVrelDialog::OnInitDialog();
  // The installation's questions belong to this window.
  env_.ownedBox.SetOwner(hwnd());
  largeIcon_.reset(LoadProgramIcon(GetSystemMetrics(SM_CXICON)));
  smallIcon_.reset(LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  // The caption draws it 18 px wide at 96 DPI; the icon holds that size at
  // every scale.
  captionIcon_.reset(LoadProgramIcon(ScaleX(18)));
  captionIcon = captionIcon_.get();
  SetWindowTextW(hwnd(), Wide(env_.context.manifest.fullName));
  CreatePanels();
  SwitchToPanel(FirstPanelIndex(env_.flags));
  SizeToPanel();
  CentreOnPointerMonitor();
  if (env_.flags.silentMode) HideForSilentRun();
  return true;
}

void CInstallGuide::CreatePanels() {
  auto add = [this](int32_t index, std::shared_ptr<CGuidePanel> panel) {
    if (panel->CreateModeless(hwnd())) panels[index] = std::move(panel);
  };
  // The wizard only goes forward: a run that starts at the status panel
  // (silent, or the product installed already) never shows the settings.
  if (FirstPanelIndex(env_.flags) == kSettingPanelIndex) {
    add(kSettingPanelIndex, std::make_shared<CSettingPanel>(env_));
  }
  add(kStatusPanelIndex, std::make_shared<CStatusPanel>(env_));
  add(kSuccessPanelIndex, std::make_shared<CSuccessPanel>(env_, /*launchBoxTicked=*/true));
}

void CInstallGuide::HideForSilentRun() {
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW);
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (style & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  ShowWindow(hwnd(), SW_HIDE);
  StayHidden();
}

CGuidePanel* CInstallGuide::Panel(int32_t index) const {
  const auto found = panels.find(index);
  return found == panels.end() ? nullptr : found->second.get();
}

bool CInstallGuide::SwitchToPanel(int32_t index) {
  showIconAndTitle = index == kStatusPanelIndex;
  RedrawFrame();
  CGuidePanel* panel = Panel(index);
  if (!panel) return false;
  if (index != currentPanel) {
    if (CGuidePanel* shown = Panel(currentPanel)) ShowWindow(shown->hwnd(), SW_HIDE);
  }
  currentPanel = index;
  SizeToPanel();
  panel->OnShowPanel();
  ShowWindow(panel->hwnd(), SW_SHOW);
  // The keyboard goes on in the new panel, at its first control.
  if (HWND first = GetNextDlgTabItem(panel->hwnd(), nullptr, FALSE)) SetFocus(first);
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return true;
}

void CInstallGuide::NextPanel() {
  if (Panel(currentPanel + 1)) SwitchToPanel(currentPanel + 1);
}

void CInstallGuide::SizeToPanel() {
  CGuidePanel* panel = Panel(currentPanel);
  const Size panelSize = panel ? panel->GetPanelSize() : Size{0, 0};
  const Size size = MainWindowSize(panelSize, ScreenDpi());
  SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CInstallGuide::OnLayout(const RECT& client) {
  for (const auto& [index, panel] : panels) {
    if (panel->hwnd()) {
      MoveWindow(panel->hwnd(), client.left, client.top, client.right - client.left,
                 client.bottom - client.top, TRUE);
    }
  }
}

bool CInstallGuide::OnClose() {
  CGuidePanel* panel = Panel(currentPanel);
  if (!panel || panel->CanClose()) EndDialog(IDCANCEL);
  return true;
}

void CInstallGuide::OnOK() {
  if (CGuidePanel* panel = Panel(currentPanel)) {
    PostMessageW(panel->hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
}

void CInstallGuide::EndWizard() {
  if (hwnd()) DestroyWindow(hwnd());
}

}  // namespace vwi
