// A dialog from a template in the program's resources, run modally with the
// framework's own message loop (so PreTranslateMessage of the dialog and of
// its controls is honoured) or created modeless as a child (a panel).
#pragma once

#include <windows.h>

#include "platform/win/window.h"

namespace vwi {

class Dialog : public Window {
 public:
  explicit Dialog(UINT templateId) : templateId_(templateId) {}

  UINT templateId() const { return templateId_; }

  // Creates the dialog, disables `owner`, runs the modal loop until EndDialog
  // and destroys the window. Returns the EndDialog result, or -1 when the
  // dialog could not be created.
  INT_PTR DoModal(HWND owner = nullptr);

  // Creates the dialog modeless (a child panel when the template says so).
  bool CreateModeless(HWND parent);

  // Ends the modal loop with `result`.
  void EndDialog(INT_PTR result);
  bool InModalLoop() const { return modal_ && !ended_; }

  // Keeps a modal dialog from being shown when its loop starts (silent runs).
  void StayHidden() { showOnStart_ = false; }

  // The default lets the dialog manager handle Tab, Enter and Escape.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Runs once the window exists and the controls are there; return true to
  // let the dialog manager set the focus.
  virtual bool OnInitDialog() { return true; }
  // Enter and Escape (IDOK and IDCANCEL commands); the defaults end the dialog.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateWindowFromTemplate(HWND parent);
  // Offers the message to the objects from its window up to this dialog.
  bool WalkPreTranslate(MSG& message);

  UINT templateId_;
  bool modal_ = false;
  bool ended_ = false;
  bool showOnStart_ = true;
  INT_PTR result_ = 0;
};

}  // namespace vwi
