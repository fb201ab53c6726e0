// The client validator: the small modal window that, before the wizard,
// fetches the version file and decides whether this installer may run.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "controls/win/vrel_dialog.h"
#include "platform/win/win_message_box.h"
#include "platform/win/win_system_services.h"
#include "validation/run_validation.h"
#include "validation/version_check.h"

namespace vwi {

class CClientValidator : public CVrelDialog, private IValidationWindow {
 public:
  // The destructor waits for the background task and closes the internet
  // session it opened.
  CClientValidator();
  ~CClientValidator() override;

  // Runs on the check's thread during its opening wait: start-up work that
  // need not hold up the window.
  std::function<void()> beforeCheck;
  // Where the installed product's program is, when the user asks to start it.
  std::function<std::u16string()> installedExecutablePath;
  // Starts a program with the user's ordinary rights (COM is initialised).
  std::function<void(const std::u16string&)> launchUnelevated;

  // Shows the validator modally until its check is done; afterwards
  // `outcome` tells start-up what to do.
  void RunModal(InstallerContext& context, AppFlags& flags);

  std::u16string title;
  std::u16string updaterPath;
  // The newer installer and its folder, held against changes until it has
  // been started.
  std::unique_ptr<IHeldFile> updaterHold;
  std::unique_ptr<IHeldFolder> updaterFolder;
  int32_t downloadResult = 0;
  // What start-up does next: a ValidationOutcome.
  int32_t outcome = static_cast<int32_t>(ValidationOutcome::Proceed);
  // Why the check or the newer installer failed (None when nothing did).
  FailureCause failureCause = FailureCause::None;

 protected:
  bool OnInitDialog() override;
  bool PreTranslateMessage(MSG& message) override;
  bool OnClose() override;
  std::optional<LRESULT> OnEraseBkgnd(HDC dc) override;
  void OnLayout(const RECT& client) override;
  void OnCancel() override {}
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Runs the check on a thread of its own.
  void StartCheck();
  void CentreProgressBar();
  void HideForSilentRun();

  // The background task's view of the window.
  void Wait(uint32_t milliseconds) override;
  void Hide() override;
  IMessageBox& Messages() override { return messages_; }
  std::u16string InstalledExecutablePath() override;
  void LaunchUnelevated(const std::u16string& path) override;
  void Close() override;

  InstallerContext* context_ = nullptr;
  AppFlags* flags_ = nullptr;
  WinSystemServices system_;
  WinMessageBox messages_;
  ValidationHandOver handOver_;
  std::thread task_;
  std::atomic<bool> taskDone_{false};
  bool prepared_ = false;  // the opening wait's work is done (check's thread)
};

}  // namespace vwi
