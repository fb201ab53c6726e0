#include "wizard/win/status_panel.h"

#include "controls/win/draw.h"
#include "install/win/win_running_apps.h"
#include "localisation/ui_string_keys.h"
#include "platform/message_box.h"
#include "res/resource_ids.h"
#include "theme/theme.h"
#include "wizard/failure_box.h"
#include "wizard/install_folder.h"
#include "wizard/panel_layouts.h"
#include "wizard/progress_lines.h"
#include "wizard/status_poll.h"
#include "wizard/win/install_guide.h"
#include "wizard/win/shell_open.h"

namespace vwi {
CStatusPanel::CStatusPanel(GuideEnvironment& environment)
    : CGuidePanel(IDD_STATUS_PANEL, environment),
      installation_(environment.installation),
      progressTexts_(ProgressTextsFrom(environment.context.strings)),
      outcome_(environment.outcome) {}

CStatusPanel::~CStatusPanel() {
  installation_.Join();
  RecordOutcome();
}

void CStatusPanel::RecordOutcome() {
  const InstallResult now = installation_.Result();
  if (!IsFinalState(now.state)) return;
  static_cast<InstallResult&>(outcome_) = now;
}

bool CStatusPanel::OnInitDialog() {
  CGuidePanel::OnInitDialog();
  const ThemePalette& p = Palette();
  slideShow.CreateChild(hwnd(), RECT{}, IDC_SLIDE_SHOW);
  slideShow.backgroundColor = p.panelBackground;
  ShowWindow(slideShow.hwnd(), SW_SHOW);

  SetUpLabel(statusLabel, IDC_STATUS_LABEL, DT_WORDBREAK);
  SetUpLabel(timeLabel, IDC_TIME_LABEL, DT_WORDBREAK);
  SetUpLabel(percentLabel, IDC_PERCENT_LABEL, DT_WORDBREAK | DT_RIGHT);
  SetLabel(timeLabel, env_.context.strings.LookupUiString(IDS_CALC_TIME_REMAINING));
  SetLabel(percentLabel, u"");

  progressBar.CreateChild(hwnd(), RECT{}, IDC_PROGRESS_BAR);
  progressBar.position = 0;
  progressBar.range = 1000;
  progressBar.backgroundColor = p.panelBackground;
  progressBar.trackColor = p.progressTrack;
  progressBar.fillColor = p.progressFill;
  ShowWindow(progressBar.hwnd(), SW_SHOW);
  ShowStatus(env_.context.strings.LookupUiString(IDS_STATUS_INIT));
  LayoutNow();
  return false;
}

void CStatusPanel::SetUpLabel(CVrelStatic& label, int id, UINT format) {
  label.AttachDlgItem(hwnd(), id);
  label.Style(Fonts().labelFont, Palette().captionText, Palette().panelBackground, format);
}

void CStatusPanel::SetLabel(CVrelStatic& label, const std::u16string& text) {
  label.SetText(text);
  UpdateWindow(label.hwnd());
}

void CStatusPanel::ShowStatus(const std::u16string& text) {
  SetLabel(statusLabel, text);
  progressBar.SetName(text);
}

void CStatusPanel::OnLayout(const RECT& client) {
  if (!progressBar.hwnd() || !slideShow.hwnd()) return;
  const StatusPanelLayout layout = LayoutStatusPanel(FromRECT(client), ScreenDpi());
  PlaceControl(slideShow.hwnd(), layout.slideShow);
  PlaceControl(statusLabel.hwnd(), layout.statusLabel);
  PlaceControl(timeLabel.hwnd(), layout.timeLabel);
  PlaceControl(percentLabel.hwnd(), layout.percentLabel);
  PlaceControl(progressBar.hwnd(), layout.progressBar);
  progressBar.barRect = RECT{0, 0, layout.progressBar.Width(), layout.progressBar.Height()};
}

void CStatusPanel::ApplyTexts(const LanguageEntry&) {
  progressTexts_ = ProgressTextsFrom(env_.context.strings);
  ShowStatus(env_.context.strings.LookupUiString(IDS_STATUS_INIT));
  SetLabel(timeLabel, env_.context.strings.LookupUiString(IDS_CALC_TIME_REMAINING));
  // The pictures show the product.
  slideShow.alternativeText = env_.context.manifest.fullName;
  // A silent run never shows the slides: their pictures are not decoded.
  if (!env_.flags.silentMode) LoadSlides();
}

void CStatusPanel::LoadSlides() {
  slideShow.slides.clear();
  slidePictures_.clear();
  for (const std::u16string& path : env_.context.strings.SlideImages(ScreenDpi().dpiY)) {
    std::unique_ptr<CImageWrapper> picture = LoadImageFromFile(path);
    if (!picture || !picture->bitmap) continue;
    slideShow.slides.push_back({picture->width, picture->height, picture->bitmap});
    slidePictures_.push_back(std::move(picture));
  }
  slideShow.Invalidate();
}

void CStatusPanel::OnShowPanel() {
  ApplyTexts(CurrentLanguage());
  SetTimer(kStartInstallTimer, 3000);
}

bool CStatusPanel::OnTimer(UINT_PTR id) {
  if (id == kStartInstallTimer) {
    KillTimer(kStartInstallTimer);
    if (startGate_.WaitEnded()) StartInstallation();
    return true;
  }
  if (id == kPollStatusTimer) {
    PollAndReschedule();
    return true;
  }
  return false;
}

void CStatusPanel::StartInstallation() {
  if (!CheckRunningApps(env_.context.manifest.fullName, hwnd(),
                        env_.context.strings.LookupUiString(IDS_CLOSE_RUNNING_APPS))) {
    outcome_.cause = FailureCause::Cancelled;
    if (CInstallGuide* guide = Guide()) guide->EndWizard();
    return;
  }
  if (env_.flags.silentMode) PrepareSilentInstallFolder();
  installation_.Start(env_.choices,
                      [window = hwnd()] { PostMessageW(window, kRunEndedMessage, 0, 0); });
  SetTimer(kPollStatusTimer, 1000);
}

void CStatusPanel::EndBeforeTheStart() {
  // Nothing was started: the wizard ends now, without waiting for a poll.
  KillTimer(kStartInstallTimer);
  RecordOutcome();
  if (CInstallGuide* guide = Guide()) guide->EndWizard();
}

void CStatusPanel::PrepareSilentInstallFolder() {
  // The settings panel creates the folder the user chose; a silent run
  // never shows it. Without the folder the package would pick its own
  // while the installer recorded this one as the product's place.
  if (env_.flags.productInstalled) return;
  PrepareInstallFolder(env_.choices.installFolder, env_.system);
}

// Polls unless the run's end was already acted on (by a poll, or by the
// worker's message, whichever came first).
void CStatusPanel::PollAndReschedule() {
  KillTimer(kPollStatusTimer);
  if (endActedOn_) return;
  if (PollStatus()) {
    SetTimer(kPollStatusTimer, 1000);
  } else {
    endActedOn_ = true;
  }
}

bool CStatusPanel::PollStatus() {
  const ProgressSnapshot s = installation_.Snapshot(GetTickCount());
  const ProgressLines lines = LinesOf(s, progressTexts_);
  progressBar.SetPosition(ProgressBarPosition(s.percent));
  progressBar.Invalidate();
  UpdateWindow(progressBar.hwnd());
  SetLabel(percentLabel, PercentLabel(s.percent));
  ShowStatus(lines.statusText);
  SetLabel(timeLabel, lines.timeText);

  CInstallGuide* guide = Guide();
  RecordOutcome();
  TellFailure();
  switch (DecidePoll(s.state, env_.flags)) {
    case PollAction::kKeepPolling:
      return true;
    case PollAction::kLaunchAndClose:
      StartInstalledProduct(env_);
      if (guide) guide->EndWizard();
      break;
    case PollAction::kShowSuccessPanel:
      if (guide) guide->NextPanel();
      break;
    case PollAction::kCloseWizard:
      if (guide) guide->EndWizard();
      break;
  }
  return false;
}

void CStatusPanel::TellFailure() {
  if (failureTold_) return;
  const std::optional<FailureBox> box =
      FailureBoxFor(outcome_, env_.context.strings, env_.context.manifest.shortName);
  if (!box) return;
  if (env_.flags.silentMode && !IsToldInSilentMode(outcome_.cause)) return;
  failureTold_ = true;
  env_.ownedBox.Show(box->text, box->caption, box->style);
}

bool CStatusPanel::Finished() const { return IsFinalState(installation_.State()); }

bool CStatusPanel::CanClose() {
  if (cancelConfirmed) return false;
  if (Finished()) return true;
  // A close request that arrives while the question shows (its own message
  // loop dispatches it) asks nothing.
  if (!startGate_.QuestionOpened()) return false;
  // The downloads wait while the question is open, and none starts under it.
  installation_.Pause();
  const int answer = env_.ownedBox.Show(
      env_.context.strings.LookupUiString(IDS_MESSAGE_CANCELNOTICE),
      env_.context.manifest.shortName, message_box::kYesNo | message_box::kIconWarning);
  const bool yes = answer == message_box::kAnswerYes;
  const bool startNow = startGate_.QuestionAnswered(yes);
  if (yes) {
    if (Finished()) return true;
    cancelConfirmed = true;
    installation_.Cancel();
    if (!startGate_.started()) EndBeforeTheStart();
    return false;
  }
  installation_.Resume();
  if (startNow) StartInstallation();
  return false;
}

std::optional<LRESULT> CStatusPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunEndedMessage) {
    // The end shows at once instead of at the next second's poll.
    PollAndReschedule();
    return 0;
  }
  if (message == WM_SLIDESHOW_CLICK) {
    ShellOpen(hwnd(), env_.context.strings.LookupLink(IDS_RLINK_SLIDE_SHOW));
    return 0;
  }
  return CGuidePanel::OnMessage(message, wParam, lParam);
}

}  // namespace vwi
