// The wizard's last panel: the product is ready; Start Now opens its home
// page, starts it and closes the wizard.
#pragma once

#include <windows.h>

#include "controls/win/vrel_button.h"
#include "controls/win/vrel_static.h"
#include "controls/win/vrel_text_button.h"
#include "platform/win/unique_handle.h"
#include "wizard/win/guide_panel.h"

namespace vwi {

inline constexpr UINT_PTR kLaunchProductTimer = 1125;

class CSuccessPanel : public CGuidePanel {
 public:
  CSuccessPanel(GuideEnvironment& environment, bool launchBoxTicked);

  void DrawContent(HDC dc) override;
  void OnLayout(const RECT& client) override;
  void OnShowPanel() override { ApplyTexts(CurrentLanguage()); }
  void ApplyTexts(const LanguageEntry& language) override;
  // Opens the home page (once), then lets the window close.
  bool CanClose() override;

  // Opens the product's home page the installer reported, at most once and
  // never for a product that was installed already; true when it opened.
  bool OpenHomePage();

  bool launchBoxTicked = true;
  bool homePageOpened = false;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnTimer(UINT_PTR id) override;
  // Start Now carries the OK identifier.
  void OnOK() override;

 private:
  void UpdateLaunchBox();
  void LaunchProductAndClose();

  CVrelTextButton startNow_;
  CVrelButton launchBox_;
  CVrelStatic launchLabel_;
  UniqueIcon icon_;
};

}  // namespace vwi
