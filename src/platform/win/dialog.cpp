#include "platform/win/dialog.h"

namespace vwi {

bool Dialog::CreateWindowFromTemplate(HWND parent) {
  ended_ = false;
  HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
  return window != nullptr && hwnd() == window;
}

bool Dialog::CreateModeless(HWND parent) {
  modal_ = false;
  return CreateWindowFromTemplate(parent);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // Bind before the first handler runs; every later message reaches the
  // object through the subclass, ahead of the dialog manager.
  auto* dialog = reinterpret_cast<Dialog*>(lParam);
  if (!dialog->Attach(window)) return FALSE;
  return dialog->OnInitDialog() ? TRUE : FALSE;
}

std::optional<LRESULT> Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (LOWORD(wParam) == IDOK) {
      OnOK();
      return 0;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      OnCancel();
      return 0;
    }
  }
  return std::nullopt;
}

void Dialog::EndDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  // Wake the loop if it is waiting for a message.
  if (modal_) PostMessageW(hwnd(), WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG& message) { return IsDialogMessageW(hwnd(), &message); }

bool Dialog::WalkPreTranslate(MSG& message) {
  for (HWND window = message.hwnd; window; window = GetParent(window)) {
    if (Window* object = FromHandle(window); object && object->PreTranslateMessage(message)) {
      return true;
    }
    if (window == hwnd()) break;
  }
  return false;
}

INT_PTR Dialog::DoModal(HWND owner) {
  modal_ = true;
  showOnStart_ = true;
  if (!CreateWindowFromTemplate(owner)) {
    modal_ = false;
    return -1;
  }
  const bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  if (showOnStart_ && !ended_) {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
  }

  MSG message;
  bool quit = false;
  while (!ended_ && hwnd()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    if (WalkPreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  // Re-enable the owner before the dialog goes, so activation returns to it.
  if (ownerEnabled) EnableWindow(owner, TRUE);
  if (HWND window = hwnd()) DestroyWindow(window);
  modal_ = false;
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return result_;
}

}  // namespace vwi
