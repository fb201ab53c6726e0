// The wizard: the one top-level window of the installation, showing one
// panel at a time (settings, status, success) and moving forward only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

#include "controls/win/vrel_dialog.h"
#include "platform/win/unique_handle.h"
#include "wizard/win/guide_environment.h"
#include "wizard/win/guide_panel.h"

namespace vwi {

class CInstallGuide : public CVrelDialog {
 public:
  explicit CInstallGuide(GuideEnvironment environment);

  // True when a panel with that index exists and is now shown.
  bool SwitchToPanel(int32_t index);
  // The next panel, when there is one.
  void NextPanel();
  // Resizes the window to the current panel, keeping its place.
  void SizeToPanel();
  // Ends the wizard by destroying its window (which ends the modal run).
  void EndWizard();

  std::unordered_map<int32_t, std::shared_ptr<CGuidePanel>> panels;
  int32_t currentPanel = 0;

 protected:
  bool OnInitDialog() override;
  void OnLayout(const RECT& client) override;
  bool OnClose() override;
  // Enter is the shown panel's; Escape is a close request like the Close button.
  void OnOK() override;
  void OnCancel() override { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

 private:
  void CreatePanels();
  void HideForSilentRun();
  CGuidePanel* Panel(int32_t index) const;

  GuideEnvironment env_;
  UniqueIcon largeIcon_;
  UniqueIcon smallIcon_;
  UniqueIcon captionIcon_;
};

}  // namespace vwi
