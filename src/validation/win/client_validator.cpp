#include "validation/win/client_validator.h"

#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "download/transfers.h"
#include "download/win/internet_session.h"
#include "localisation/ui_string_keys.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "theme/theme_palette.h"

namespace vwi {
namespace {

constexpr UINT kValidatorTemplate = 172;
constexpr int kProgressBarId = 171;
constexpr UINT kStartCheckMessage = WM_APP + 1;

}  // namespace

// The HTTP session opens on the check's thread, so its library does not load
// before the first window shows.
CClientValidator::CClientValidator() : CVrelDialog(kValidatorTemplate) {}

CClientValidator::~CClientValidator() {
  if (task_.joinable()) task_.join();
  CloseInternetSession();
}

void CClientValidator::RunModal(InstallerContext& context, AppFlags& flags) {
  context_ = &context;
  flags_ = &flags;
  handOver_ = {};
  taskDone_ = false;
  prepared_ = false;
  if (DoModal() == -1) {
    // No window could be made: the check still runs, here and without the
    // marquee. A run never skips it.
    RunValidation(*context_, *flags_, system_, SystemTransfers(), *this, handOver_);
  } else if (task_.joinable()) {
    task_.join();
  }
  outcome = static_cast<int32_t>(handOver_.outcome);
  updaterPath = handOver_.updaterPath;
  downloadResult = handOver_.downloadResult;
  failureCause = handOver_.failureCause;
  updaterHold = std::move(handOver_.updaterHold);
  updaterFolder = std::move(handOver_.updaterFolder);
}

bool CClientValidator::OnInitDialog() {
  CVrelDialog::OnInitDialog();
  messages_.SetOwner(hwnd());
  // The frame shows the title; the caption buttons are shown but do nothing:
  // the check ends the window by itself.
  showIconAndTitle = true;
  for (int id : {kCaptionClose, kCaptionMaximize, kCaptionMinimize}) {
    if (CaptionButton* button = captionButton(id)) button->disabled = true;
  }
  RedrawFrame();
  CentreProgressBar();
  if (title.empty()) title = context_->strings.LookupUiString(IDS_PREPARING);
  SetWindowTextW(hwnd(), Wide(title));
  RedrawFrame();
  SendDlgItemMessageW(hwnd(), kProgressBarId, PBM_SETMARQUEE, TRUE, 10);
  CentreOnPointerMonitor();
  if (flags_->silentMode) HideForSilentRun();
  // The check starts once the window shows: the libraries it loads would
  // otherwise hold the loader up while the window is being shown.
  PostMessageW(hwnd(), kStartCheckMessage, 0, 0);
  return true;
}

std::optional<LRESULT> CClientValidator::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kStartCheckMessage) return CVrelDialog::OnMessage(message, wParam, lParam);
  if (!task_.joinable()) StartCheck();
  return 0;
}

void CClientValidator::StartCheck() {
  // A plain thread: a future would bring the standard library's error
  // classes and their strings into the program (some 40 KB).
  task_ = std::thread([this] {
    try {
      RunValidation(*context_, *flags_, system_, SystemTransfers(), *this, handOver_);
    } catch (const std::exception&) {
      // Memory ran out: the check ends without a decision, as a failed one.
    }
  });
}

void CClientValidator::OnLayout(const RECT&) { CentreProgressBar(); }

void CClientValidator::CentreProgressBar() {
  HWND bar = GetDlgItem(hwnd(), kProgressBarId);
  if (!bar) return;
  RECT client = ClientRect();
  RECT rect{};
  GetWindowRect(bar, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetWindowPos(bar, nullptr, (client.right - width) / 2, (client.bottom - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CClientValidator::HideForSilentRun() {
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, (style & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  ShowWindow(hwnd(), SW_HIDE);
  StayHidden();
}

bool CClientValidator::PreTranslateMessage(MSG& message) {
  // Enter and Escape do nothing here: every key-down is swallowed.
  if (message.message == WM_KEYDOWN) return true;
  return CVrelDialog::PreTranslateMessage(message);
}

bool CClientValidator::OnClose() {
  // A close request from the system menu (Alt+F4) waits for the check: the
  // task decides the outcome and may still have something to tell the user.
  if (taskDone_) EndDialog(IDCANCEL);
  return true;
}

std::optional<LRESULT> CClientValidator::OnEraseBkgnd(HDC dc) {
  UniqueBrush brush(CreateSolidBrush(Palette().panelBackground));
  const RECT client = ClientRect();
  FillRect(dc, &client, brush.get());
  return TRUE;
}

void CClientValidator::Wait(uint32_t milliseconds) {
  // The check's opening wait is spent, as far as it goes, on what the check
  // needs first: the HTTP library and the start-up work left for this thread.
  const ULONGLONG end = GetTickCount64() + milliseconds;
  if (!prepared_) {
    prepared_ = true;
    OpenInternetSession();
    if (beforeCheck) beforeCheck();
  }
  const ULONGLONG now = GetTickCount64();
  if (now < end) Sleep(static_cast<DWORD>(end - now));
}

void CClientValidator::Hide() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

std::u16string CClientValidator::InstalledExecutablePath() {
  return installedExecutablePath ? installedExecutablePath() : std::u16string();
}

void CClientValidator::LaunchUnelevated(const std::u16string& path) {
  if (!launchUnelevated) return;
  const HRESULT com = CoInitialize(nullptr);
  launchUnelevated(path);
  if (SUCCEEDED(com)) CoUninitialize();
}

void CClientValidator::Close() {
  taskDone_ = true;
  // Without a window there is nothing to close (and a message posted to no
  // window would wait in the thread's queue for the wizard).
  if (hwnd()) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace vwi
