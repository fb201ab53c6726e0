// A small Windows-side driver for the whole-program scenarios: it finds the
// installer's windows and message boxes, reads their text and presses their
// buttons, as a user would.
//
//   vwi_driver wait-window CLASS TIMEOUT_MS   exit 0 once a visible window of CLASS exists
//   vwi_driver window-state CLASS             prints none | hidden | iconic | normal
//   vwi_driver minimise CLASS | restore CLASS | close CLASS
//   vwi_driver count-boxes CAPTION            prints the number of message boxes with CAPTION
//   vwi_driver wait-box CAPTION TIMEOUT_MS    prints the box's text once it appears
//   vwi_driver press-box CAPTION BUTTON_ID    presses a button of the box (1 OK, 2 Cancel,
//                                             4 Retry, 6 Yes, 7 No); exit 0 once it closed
//   vwi_driver wait-credentials CAPTION TIMEOUT_MS   prints the credential dialog's texts
//                                             once it appears
//   vwi_driver fill-credentials CAPTION USER PASSWORD
//                                             types into the credential dialog, then OK
//   vwi_driver cancel-credentials CAPTION     answers the credential dialog with Cancel
//   vwi_driver settle CLASS TIMEOUT_MS        exit 0 once the window's thread has caught up:
//                                             it answers a message, and none of its windows
//                                             waits to be painted, twice 50 ms apart (at
//                                             once when no window of CLASS exists)
//   vwi_driver foreground                     prints the class of the foreground window
//   vwi_driver move CLASS X Y                 moves the window's top-left corner to X, Y
//   vwi_driver window-rect CLASS              prints the window's screen rectangle:
//                                             left top right bottom
//   vwi_driver control-rect CLASS ID          the same for the window's visible control ID
//   vwi_driver control-text CLASS ID          prints the control's window text
//   vwi_driver watch-text CLASS ID MS         prints each new text of the control for MS ms,
//                                             or until the window is gone
//   vwi_driver focus-id CLASS                 prints the control ID that has the keyboard
//                                             focus in the window's thread ("none" without one)
//   vwi_driver count-visible                  prints the number of visible top-level windows
//                                             with an area (other programs' included)
//   vwi_driver tamper FILE                    tries to open FILE for writing, to rename it and
//                                             to delete it, as a planted program would; prints
//                                             "write:R rename:R delete:R", R the error code
//                                             or "done"
//   vwi_driver accessible CLASS ID            prints what the control tells assistive
//                                             technology, through the platform's accessibility
//                                             library: "role=R state=S value=V action=A
//                                             name=N", S the state names joined by "+"
//   vwi_driver accessible-do CLASS ID         asks the control for its default action; prints
//                                             "done" or "refused"
//   vwi_driver run PROGRAM [ARGS...]          runs PROGRAM, waits, prints its full exit code
//                                             (Wine's own exit status keeps only 8 bits)
//   vwi_driver hold-semaphore NAME FILE       creates the named semaphore a running program
//                                             of the product holds, prints "held", and keeps
//                                             it until FILE exists (two minutes at most)
//   vwi_driver trust-root FILE                adds the certificate in FILE (DER) to the
//                                             machine's trusted roots
#include <windows.h>
#include <wincrypt.h>

#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct BoxSearch {
  const wchar_t* caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  wchar_t className[64] = {};
  wchar_t caption[256] = {};
  GetClassNameW(window, className, 64);
  GetWindowTextW(window, caption, 256);
  if (wcscmp(className, L"#32770") == 0 && wcscmp(caption, search->caption) == 0 &&
      IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> FindBoxes(const wchar_t* caption) {
  BoxSearch search{caption, {}};
  EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PrintUtf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  std::printf("%s\n", out.c_str());
  std::fflush(stdout);
}

template <typename Probe>
bool WaitFor(int timeoutMs, Probe probe) {
  const DWORD start = GetTickCount();
  while (!probe()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(50);
  }
  return true;
}

// A button's click is the box's own command, not a synthetic mouse press: a
// press through BM_CLICK is lost when the box takes the activation between
// its button-down and button-up. Done once the box is gone.
int PressBox(const wchar_t* caption, int buttonId) {
  const auto boxes = FindBoxes(caption);
  if (boxes.empty()) return 1;
  HWND box = boxes.front();
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return 1;
  SendMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return WaitFor(10000, [&] { return !IsWindow(box) || !IsWindowVisible(box); }) ? 0 : 1;
}

// The system's credential dialog with `caption`: a dialog with a password
// box. Its texts are printed; its boxes are typed into (by their password
// style), then it is answered with OK or Cancel.
struct CredentialDialog {
  const wchar_t* caption;
  HWND found = nullptr;
};

BOOL CALLBACK HasPasswordBox(HWND window, LPARAM parameter) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, L"Edit") == 0 && (GetWindowLongW(window, GWL_STYLE) & ES_PASSWORD)) {
    *reinterpret_cast<bool*>(parameter) = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindCredentialDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<CredentialDialog*>(parameter);
  wchar_t className[64] = {};
  wchar_t caption[256] = {};
  GetClassNameW(window, className, 64);
  GetWindowTextW(window, caption, 256);
  bool password = false;
  if (wcscmp(className, L"#32770") == 0 && wcscmp(caption, search->caption) == 0 &&
      IsWindowVisible(window)) {
    EnumChildWindows(window, HasPasswordBox, reinterpret_cast<LPARAM>(&password));
  }
  if (!password) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindCredentials(const wchar_t* caption) {
  CredentialDialog search{caption};
  EnumWindows(FindCredentialDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK PrintStaticText(HWND window, LPARAM) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  wchar_t text[512] = L"";
  if (lstrcmpiW(name, L"Static") == 0 && GetWindowTextW(window, text, 512) > 0) PrintUtf8(text);
  return TRUE;
}

int WaitCredentials(const wchar_t* caption, int timeoutMs) {
  HWND dialog = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (dialog = FindCredentials(caption)) != nullptr; })) return 1;
  EnumChildWindows(dialog, PrintStaticText, 0);
  return 0;
}

struct CredentialFields {
  const wchar_t* user;
  const wchar_t* password;
};

BOOL CALLBACK FillCredentialField(HWND window, LPARAM parameter) {
  const auto* fields = reinterpret_cast<const CredentialFields*>(parameter);
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  if (lstrcmpiW(name, L"Edit") == 0) {
    const bool password = (GetWindowLongW(window, GWL_STYLE) & ES_PASSWORD) != 0;
    SendMessageW(window, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(password ? fields->password : fields->user));
  } else if (lstrcmpiW(name, L"ComboBoxEx32") == 0) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fields->user));
  }
  return TRUE;
}

// OK with the fields typed in, or Cancel when there are none.
int AnswerCredentials(const wchar_t* caption, const wchar_t* user, const wchar_t* password) {
  HWND dialog = FindCredentials(caption);
  if (!dialog) return 1;
  const int button = user ? IDOK : IDCANCEL;
  if (user) {
    CredentialFields fields{user, password};
    EnumChildWindows(dialog, FillCredentialField, reinterpret_cast<LPARAM>(&fields));
  }
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  return WaitFor(10000, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }) ? 0 : 1;
}

int WindowState(const wchar_t* className) {
  HWND window = FindWindowW(className, nullptr);
  const char* state = !window                    ? "none"
                      : IsIconic(window)         ? "iconic"
                      : !IsWindowVisible(window) ? "hidden"
                                                 : "normal";
  std::printf("%s\n", state);
  return 0;
}

struct ControlSearch {
  int id;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindControlWithId(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ControlSearch*>(parameter);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// The descendant with the control identifier (a visible one unless asked
// otherwise: panels that are not shown may reuse identifiers), or null.
HWND FindControl(const wchar_t* className, int id, bool visibleOnly = true) {
  HWND main = FindWindowW(className, nullptr);
  if (!main) return nullptr;
  ControlSearch search{id, visibleOnly, nullptr};
  EnumChildWindows(main, FindControlWithId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int PrintRect(HWND window) {
  RECT r{};
  if (!window || !GetWindowRect(window, &r)) return 1;
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

// GetWindowText reads only captions of other processes' windows; a control's
// text needs the message itself.
// Nothing when the window did not answer (it is going away).
std::optional<std::wstring> TextOf(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 2000, &copied)) {
    return std::nullopt;
  }
  return text;
}

// The child identifier that names an accessible object itself.
VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// The control's accessible object, as a screen reader in another process gets it.
IAccessible* AccessibleOf(const wchar_t* className, int id) {
  HWND control = FindControl(className, id);
  if (!control) control = FindControl(className, id, false);
  IAccessible* object = nullptr;
  if (!control || FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

// The text an accessible object's getter gives (empty on failure).
template <typename Getter>
std::wstring AccessibleText(Getter getter) {
  BSTR text = nullptr;
  const HRESULT result = getter(&text);
  std::wstring out = SUCCEEDED(result) && text ? std::wstring(text) : L"";
  SysFreeString(text);
  return out;
}

std::wstring StateNames(LONG state) {
  static const std::pair<LONG, const wchar_t*> names[] = {
      {STATE_SYSTEM_UNAVAILABLE, L"unavailable"},
      {STATE_SYSTEM_FOCUSED, L"focused"},
      {STATE_SYSTEM_CHECKED, L"checked"},
      {STATE_SYSTEM_READONLY, L"readonly"},
      {STATE_SYSTEM_EXPANDED, L"expanded"},
      {STATE_SYSTEM_COLLAPSED, L"collapsed"},
      {STATE_SYSTEM_INVISIBLE, L"invisible"},
      {STATE_SYSTEM_FOCUSABLE, L"focusable"},
      {STATE_SYSTEM_LINKED, L"linked"}};
  std::wstring out;
  for (const auto& [bit, name] : names) {
    if (state & bit) out += (out.empty() ? L"" : L"+") + std::wstring(name);
  }
  return out.empty() ? L"normal" : out;
}

int DescribeAccessible(const wchar_t* className, int id) {
  IAccessible* object = AccessibleOf(className, id);
  if (!object) return 1;
  const VARIANT self = Self();
  VARIANT role{}, state{};
  object->get_accRole(self, &role);
  object->get_accState(self, &state);
  const std::wstring name =
      AccessibleText([&](BSTR* out) { return object->get_accName(self, out); });
  const std::wstring value =
      AccessibleText([&](BSTR* out) { return object->get_accValue(self, out); });
  const std::wstring action =
      AccessibleText([&](BSTR* out) { return object->get_accDefaultAction(self, out); });
  object->Release();
  PrintUtf8(L"role=" + std::to_wstring(role.vt == VT_I4 ? role.lVal : -1) + L" state=" +
            StateNames(state.vt == VT_I4 ? state.lVal : 0) + L" value=" + value + L" action=" +
            action + L" name=" + name);
  return 0;
}

int DoDefaultAction(const wchar_t* className, int id) {
  IAccessible* object = AccessibleOf(className, id);
  if (!object) return 1;
  const VARIANT self = Self();
  const HRESULT result = object->accDoDefaultAction(self);
  object->Release();
  std::printf("%s\n", SUCCEEDED(result) ? "done" : "refused");
  return 0;
}

int WatchText(const wchar_t* className, int id, int milliseconds) {
  std::wstring last = L"\x1";
  const DWORD start = GetTickCount();
  while (static_cast<int>(GetTickCount() - start) < milliseconds &&
         FindWindowW(className, nullptr)) {
    // A panel's last texts count too, after the next panel has hidden it.
    if (HWND control = FindControl(className, id, false)) {
      if (std::optional<std::wstring> text = TextOf(control); text && *text != last) {
        PrintUtf8(*text);
        // Each text reaches the file at once: a scenario waits for the first.
        std::fflush(stdout);
        last = *text;
      }
    }
    Sleep(20);
  }
  return 0;
}

BOOL CALLBACK CountVisible(HWND window, LPARAM parameter) {
  RECT r{};
  if (IsWindowVisible(window) && GetWindowRect(window, &r) && r.right > r.left &&
      r.bottom > r.top) {
    ++*reinterpret_cast<int*>(parameter);
  }
  return TRUE;
}

std::wstring Quoted(const wchar_t* argument) {
  std::wstring text = L"\"";
  text += argument;
  text += L"\"";
  return text;
}

int RunProgram(int count, wchar_t** arguments) {
  std::wstring commandLine = Quoted(arguments[2]);
  for (int i = 3; i < count; ++i) commandLine += L" " + Quoted(arguments[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(arguments[2], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::printf("start-failed %lu\n", GetLastError());
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("%lu\n", code);
  return 0;
}

// The outcome of one attempt: "done" or the error code.
std::string Outcome(bool done) { return done ? "done" : std::to_string(GetLastError()); }

int Tamper(const wchar_t* file) {
  HANDLE writer =
      CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  const std::string write = Outcome(writer != INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  const std::wstring aside = std::wstring(file) + L".aside";
  const bool renamed = MoveFileW(file, aside.c_str());
  const std::string rename = Outcome(renamed);
  if (renamed) MoveFileW(aside.c_str(), file);
  const std::string remove = Outcome(DeleteFileW(file));
  std::printf("write:%s rename:%s delete:%s\n", write.c_str(), rename.c_str(), remove.c_str());
  return 0;
}

// Trusts a test authority as the machine's own roots are trusted.
int TrustRoot(const wchar_t* file) {
  HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return 1;
  BYTE der[16384];
  DWORD size = 0;
  const BOOL read = ReadFile(in, der, sizeof(der), &size, nullptr);
  CloseHandle(in);
  if (!read || size == 0) return 1;
  HCERTSTORE store =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  if (!store) return 1;
  const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der, size,
                                                      CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
  CertCloseStore(store, 0);
  return added ? 0 : 1;
}

// Stands for a running program of the product: its single-instance
// semaphore exists until the scenario creates the release file.
int HoldSemaphore(const wchar_t* name, const wchar_t* releaseFile) {
  HANDLE semaphore = CreateSemaphoreW(nullptr, 1, 1, name);
  if (!semaphore) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  WaitFor(120000, [&] { return GetFileAttributesW(releaseFile) != INVALID_FILE_ATTRIBUTES; });
  CloseHandle(semaphore);
  return 0;
}

BOOL CALLBACK CountUnpainted(HWND window, LPARAM parameter) {
  if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
    ++*reinterpret_cast<int*>(parameter);
  }
  return TRUE;
}

BOOL CALLBACK CountUnpaintedTree(HWND window, LPARAM parameter) {
  CountUnpainted(window, parameter);
  EnumChildWindows(window, CountUnpainted, parameter);
  return TRUE;
}

// A window's thread has caught up when a sent message comes back and no
// window of the thread (message boxes and drop-down lists included) has an
// update region left: the input before the call has been handled and shown.
bool CaughtUp(HWND main) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) return false;
  int unpainted = 0;
  EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), CountUnpaintedTree,
                    reinterpret_cast<LPARAM>(&unpainted));
  return unpainted == 0;
}

int Settle(const wchar_t* className, int timeoutMs) {
  int inARow = 0;
  const bool settled = WaitFor(timeoutMs, [&] {
    HWND main = FindWindowW(className, nullptr);
    inARow = !main || CaughtUp(main) ? inARow + 1 : 0;
    return inARow >= 2;
  });
  return settled ? 0 : 1;
}

int Run(int count, wchar_t** arguments) {
  if (count < 2) return 2;
  const std::wstring command = arguments[1];
  const wchar_t* target = count > 2 ? arguments[2] : L"";
  const int number = count > 3 ? _wtoi(arguments[3]) : 0;

  if (command == L"wait-window") {
    return WaitFor(number,
                   [&] {
                     HWND window = FindWindowW(target, nullptr);
                     return window && IsWindowVisible(window);
                   })
               ? 0
               : 1;
  }
  if (command == L"window-state") return WindowState(target);
  if (command == L"window-rect") return PrintRect(FindWindowW(target, nullptr));
  if (command == L"move" && count > 4) {
    // As a user's drag leaves it: only the position changes.
    HWND window = FindWindowW(target, nullptr);
    return window && SetWindowPos(window, nullptr, number, _wtoi(arguments[4]), 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (command == L"control-rect") return PrintRect(FindControl(target, number));
  if (command == L"control-text") {
    const std::optional<std::wstring> text = TextOf(FindControl(target, number));
    if (!text) return 1;
    PrintUtf8(*text);
    return 0;
  }
  if (command == L"watch-text") {
    return WatchText(target, number, count > 4 ? _wtoi(arguments[4]) : 0);
  }
  if (command == L"run" && count > 2) return RunProgram(count, arguments);
  if (command == L"minimise" || command == L"restore" || command == L"close") {
    HWND window = FindWindowW(target, nullptr);
    if (!window) return 1;
    if (command == L"close")
      PostMessageW(window, WM_CLOSE, 0, 0);
    else
      ShowWindow(window, command == L"minimise" ? SW_MINIMIZE : SW_RESTORE);
    return 0;
  }
  if (command == L"focus-id") {
    HWND main = FindWindowW(target, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!main || !GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ||
        !info.hwndFocus) {
      std::printf("none\n");
    } else {
      std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
    }
    return 0;
  }
  if (command == L"count-visible") {
    int visible = 0;
    EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
    std::printf("%d\n", visible);
    return 0;
  }
  if (command == L"count-boxes") {
    std::printf("%zu\n", FindBoxes(target).size());
    return 0;
  }
  if (command == L"wait-box") {
    HWND box = nullptr;
    if (!WaitFor(number, [&] {
          auto boxes = FindBoxes(target);
          box = boxes.empty() ? nullptr : boxes.front();
          return box != nullptr;
        })) {
      return 1;
    }
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 4096);
    PrintUtf8(text);
    return 0;
  }
  if (command == L"press-box") return PressBox(target, number);
  if (command == L"wait-credentials") return WaitCredentials(target, number);
  if (command == L"fill-credentials" && count > 4) {
    return AnswerCredentials(target, arguments[3], arguments[4]);
  }
  if (command == L"cancel-credentials") return AnswerCredentials(target, nullptr, nullptr);
  if (command == L"settle") return Settle(target, number);
  if (command == L"tamper") return Tamper(target);
  if (command == L"trust-root") return TrustRoot(target);
  if (command == L"hold-semaphore" && count > 3) return HoldSemaphore(target, arguments[3]);
  if (command == L"accessible" || command == L"accessible-do") {
    CoInitialize(nullptr);
    const int status = command == L"accessible" ? DescribeAccessible(target, number)
                                                : DoDefaultAction(target, number);
    CoUninitialize();
    return status;
  }
  if (command == L"foreground") {
    wchar_t className[256] = {};
    GetClassNameW(GetForegroundWindow(), className, 256);
    PrintUtf8(className);
    return 0;
  }
  return 2;
}

}  // namespace

int wmain(int count, wchar_t** arguments) { return Run(count, arguments); }
