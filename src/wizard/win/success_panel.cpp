#include "wizard/win/success_panel.h"

#include "controls/win/draw.h"
#include "localisation/ui_string_keys.h"
#include "localisation/ui_text_format.h"
#include "res/resource_ids.h"
#include "theme/theme.h"
#include "wizard/panel_layouts.h"
#include "wizard/win/install_guide.h"
#include "wizard/win/shell_open.h"

namespace vwi {
CSuccessPanel::CSuccessPanel(GuideEnvironment& environment, bool launchBoxTicked)
    : CGuidePanel(IDD_SUCCESS_PANEL, environment), launchBoxTicked(launchBoxTicked) {}

bool CSuccessPanel::OnInitDialog() {
  CGuidePanel::OnInitDialog();
  startNow_.AttachDlgItem(hwnd(), IDC_START_NOW);
  launchBox_.AttachDlgItem(hwnd(), IDC_LAUNCH_BOX);
  launchLabel_.AttachDlgItem(hwnd(), IDC_LAUNCH_LABEL);
  const ThemePalette& p = Palette();
  launchBox_.SetAppearance(p.panelBackground, p.panelBackground, p.panelBackground,
                           p.panelBackground, u"");
  launchLabel_.Style(Fonts().labelFont, p.labelText, p.panelBackground, DT_SINGLELINE | DT_VCENTER);
  // The launch choice is kept but never offered: the product always starts.
  ShowWindow(launchBox_.hwnd(), SW_HIDE);
  ShowWindow(launchLabel_.hwnd(), SW_HIDE);
  UpdateLaunchBox();
  icon_.reset(LoadProgramIcon(ScaleX(64)));
  return false;
}

void CSuccessPanel::UpdateLaunchBox() {
  AccessibleFacts facts{.role = AccessibleRole::kCheckBox, .checked = launchBoxTicked};
  UpdateAccessibleFacts(launchBox_.hwnd(), launchBox_.accessible, std::move(facts));
  if (auto image =
          LoadPngResource(ImageIdForDpi(launchBoxTicked ? kTickedBoxImage : kEmptyBoxImage))) {
    launchBox_.SetImage(*image);
  }
}

void CSuccessPanel::ApplyTexts(const LanguageEntry&) {
  const UiStringCatalogue& strings = env_.context.strings;
  startNow_.SetText(strings.LookupUiString(IDS_START_NOW));
  startNow_.Invalidate(true);
  launchLabel_.SetText(FormatUiString(strings, IDS_LAUNCH_APP, {env_.context.manifest.fullName}));
  LayoutNow();
}

void CSuccessPanel::OnLayout(const RECT& client) {
  if (!startNow_.hwnd()) return;
  const SuccessPanelLayout layout = LayoutSuccessPanel(FromRECT(client), ScreenDpi());
  PlaceControl(startNow_.hwnd(), layout.startNow);
  PlaceControl(launchBox_.hwnd(), layout.launchBox);
  PlaceControl(launchLabel_.hwnd(), layout.launchLabel);
}

void CSuccessPanel::DrawContent(HDC dc) {
  const std::u16string headline =
      FormatUiString(env_.context.strings, IDS_PRODUCT_READY, {env_.context.manifest.shortName});
  // A package that needs a restart to finish says so under the headline;
  // the installer itself never restarts the machine.
  const std::u16string note = env_.outcome.restartRequired
                                  ? env_.context.strings.LookupUiString(IDS_RESTART_TO_FINISH)
                                  : std::u16string();
  DrawIconAndHeadline(dc, ClientRect(), icon_.get(), ScaleX(90), headline, note);
}

void CSuccessPanel::OnOK() {
  OpenHomePage();
  SetTimer(kLaunchProductTimer, 500);
}

bool CSuccessPanel::OnCommand(int id, int code, HWND control) {
  if (!control || id != IDC_LAUNCH_BOX || code != BN_CLICKED) return false;
  launchBoxTicked = !launchBoxTicked;
  UpdateLaunchBox();
  return true;
}

bool CSuccessPanel::OnTimer(UINT_PTR id) {
  if (id != kLaunchProductTimer) return false;
  KillTimer(kLaunchProductTimer);
  LaunchProductAndClose();
  return true;
}

bool CSuccessPanel::OpenHomePage() {
  if (env_.flags.productInstalled || homePageOpened) return false;
  const std::u16string& address = env_.outcome.homepageUrl;
  if (address.empty()) return false;
  ShellOpen(hwnd(), address);
  homePageOpened = true;
  return true;
}

void CSuccessPanel::LaunchProductAndClose() {
  StartInstalledProduct(env_);
  if (CInstallGuide* guide = Guide()) guide->EndWizard();
}

bool CSuccessPanel::CanClose() {
  OpenHomePage();
  return true;
}

}  // namespace vwi
