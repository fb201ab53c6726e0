// The wizard's second panel: starts the installation, shows its progress
// once a second with a slide show above it, and lets the user cancel.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/win/vrel_progress.h"
#include "controls/win/vrel_slide_show.h"
#include "controls/win/vrel_static.h"
#include "install/installation.h"
#include "install/progress.h"
#include "theme/image_wrapper.h"
#include "wizard/progress_lines.h"
#include "wizard/start_gate.h"
#include "wizard/win/guide_panel.h"

namespace vwi {

inline constexpr UINT_PTR kStartInstallTimer = 1125;
inline constexpr UINT_PTR kPollStatusTimer = 1124;
// Posted by the worker when the run has ended: poll now.
inline constexpr UINT kRunEndedMessage = WM_APP + 124;

class CStatusPanel : public CGuidePanel {
 public:
  explicit CStatusPanel(GuideEnvironment& environment);
  // Waits for the worker and leaves its outcome to the application.
  ~CStatusPanel() override;

  void OnLayout(const RECT& client) override;
  void OnShowPanel() override;
  void ApplyTexts(const LanguageEntry& language) override;
  bool CanClose() override;

  CVrelSliderShowCtrl slideShow;
  CVrelStatic statusLabel;
  CVrelStatic timeLabel;
  CVrelStatic percentLabel;
  CVrelProgress progressBar;
  bool cancelConfirmed = false;

 protected:
  bool OnInitDialog() override;
  bool OnTimer(UINT_PTR id) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetUpLabel(CVrelStatic& label, int id, UINT format);
  void SetLabel(CVrelStatic& label, const std::u16string& text);
  // The status line, which also names the progress bar.
  void ShowStatus(const std::u16string& text);
  void StartInstallation();
  // The user cancelled before the installation started.
  void EndBeforeTheStart();
  void PrepareSilentInstallFolder();
  // One look at the status; false when polling ends.
  bool PollStatus();
  void PollAndReschedule();
  void LoadSlides();
  bool Finished() const;
  // Copies the worker's final state and cause into the run's outcome.
  void RecordOutcome();
  // Shows the box of a failed run once, from its result.
  void TellFailure();

  IInstallation& installation_;
  ProgressTexts progressTexts_;
  std::vector<std::unique_ptr<CImageWrapper>> slidePictures_;
  // Held apart from the environment, which the wizard releases before its
  // panels.
  RunOutcome& outcome_;
  StartGate startGate_;
  bool endActedOn_ = false;
  bool failureTold_ = false;
};

}  // namespace vwi
