// The wizard's first panel: the licence box, the installation folder and the
// Install button that starts the installation.
#pragma once

#include <windows.h>

#include "controls/win/vrel_button.h"
#include "controls/win/vrel_combo_box.h"
#include "controls/win/vrel_edit.h"
#include "controls/win/vrel_static.h"
#include "controls/win/vrel_text_button.h"
#include "platform/win/unique_handle.h"
#include "wizard/setting_panel_layout.h"
#include "wizard/win/guide_panel.h"

namespace vwi {

class CSettingPanel : public CGuidePanel {
 public:
  explicit CSettingPanel(GuideEnvironment& environment);

  void DrawContent(HDC dc) override;
  void OnLayout(const RECT& client) override;
  Size GetPanelSize() override;
  void OnShowPanel() override { ApplyTexts(CurrentLanguage()); }
  void ApplyTexts(const LanguageEntry& language) override;
  bool CanClose() override;

  // Checks the typed folder, creates it and stores it; false (after telling
  // the user why) keeps the panel.
  bool ValidateInstallFolder();

  int separatorLeft = 0;
  int separatorY = 0;
  bool settingsCollapsed = false;
  bool accepted = true;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  // Enter outside a button (in the folder box) is Install.
  void OnOK() override;

 private:
  void AttachControls();
  void SetUpAppearance();
  void SetUpCombo(CVrelComboBox& combo);
  void FillAssociationBox();
  void FillLanguageBox();
  // The button's and the labels' texts in the catalogue's language.
  void ShowTexts();
  void NameImageButtons();
  void UpdateAcceptBox();
  void UpdateExpander();
  void ToggleSettings();
  void BrowseForFolder();
  void OpenLicenseTerms();
  void ChooseLanguage();
  void ChooseAssociation();
  std::u16string FolderText() const;
  void ShowFolder(const std::u16string& folder);
  SettingLabelTexts MeasureLabels();
  // Moves the separator line, redrawing only where it was and where it goes.
  void MoveSeparator(int left, int y);

  CVrelTextButton install_;
  CVrelButton acceptBox_;
  CVrelStatic acceptLabel_;
  CVrelStatic licenseLink_;
  CVrelStatic settingsLabel_;
  CVrelButton expander_;
  CVrelStatic languageLabel_;
  CVrelComboBox languageBox_;
  CVrelStatic associationLabel_;
  CVrelComboBox associationBox_;
  CVrelStatic folderLabel_;
  CVrelEdit folderEdit_;
  CVrelButton browse_;
  UniqueIcon icon_;
};

}  // namespace vwi
