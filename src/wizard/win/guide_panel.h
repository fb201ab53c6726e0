// One page of the wizard: a borderless child dialog over the main window's
// client area, painted on the panel background with the product wordmark.
#pragma once

#include <windows.h>

#include <string>

#include "controls/key_click.h"
#include "controls/win/child_placement.h"
#include "localisation/language_entry.h"
#include "platform/geometry.h"
#include "platform/win/dialog.h"
#include "res/resource_ids.h"
#include "wizard/win/guide_environment.h"
#include "wizard/wizard_flow.h"

namespace vwi {

class CInstallGuide;

class CGuidePanel : public Dialog {
 public:
  CGuidePanel(UINT templateId, GuideEnvironment& environment)
      : Dialog(templateId), env_(environment) {}

  // Paints the panel's own pictures and texts onto the background.
  virtual void DrawContent(HDC /*dc*/) {}
  // Places the panel's controls; called after every size change.
  virtual void OnLayout(const RECT& /*client*/) {}
  // The outer size the main window takes while this panel is shown.
  virtual Size GetPanelSize();
  // Called each time the main window switches to the panel, before it shows.
  virtual void OnShowPanel() {}
  // (Re)loads the panel's texts in a language.
  virtual void ApplyTexts(const LanguageEntry& /*language*/) {}
  // Asked when the user closes the main window while this panel is shown.
  virtual bool CanClose() { return true; }

  // Enter and Space click the focused button, action button or link, once
  // per press, on release.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Takes the caption, system menu and borders off: the panel is a plain child.
  bool OnInitDialog() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC dc) override;
  bool OnSize(UINT type, int cx, int cy) override;
  // Enter outside a button does nothing unless the panel says otherwise;
  // Escape is the main window's close request, with its question.
  void OnOK() override {}
  void OnCancel() override;

  // The main window this panel lives in.
  CInstallGuide* Guide() const;
  // The catalogue's current language as an entry of the language list.
  LanguageEntry CurrentLanguage() const;
  // The whole client rectangle, laid out again.
  void LayoutNow() { OnLayout(ClientRect()); }

  GuideEnvironment& env_;

 private:
  KeyClick keyClick_;
};

// The check-box images (ticked and empty) of the panels' image buttons.
inline constexpr int kTickedBoxImage = IDB_CHECK_TICKED;
inline constexpr int kEmptyBoxImage = IDB_CHECK_EMPTY;

// Starts the installed product's program with the user's ordinary rights,
// when the program is there.
void StartInstalledProduct(GuideEnvironment& environment);

// Strips a dialog's frame styles so it can serve as a plain child window.
void MakePlainChild(HWND window);

// The program icon at a square size (nothing when it cannot be loaded).
HICON LoadProgramIcon(int size);

// Draws the program icon centred horizontally at `top`, and below it the
// headline (when not empty) in the headline font, as the settings and the
// success panels show them; `note` (when not empty) on a line of its own
// under the headline, in the label font.
void DrawIconAndHeadline(HDC dc, const RECT& client, HICON icon, int top,
                         const std::u16string& headline, const std::u16string& note = {});

}  // namespace vwi
