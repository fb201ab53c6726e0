#include "install/win/launch_unelevated.h"

#include <windows.h>

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/paths.h"
#include "platform/win/elevation.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// A VARIANT cleared when it goes out of scope.
struct ScopedVariant {
  VARIANT v;
  ScopedVariant() { VariantInit(&v); }
  explicit ScopedVariant(const wchar_t* text) : ScopedVariant() {
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
  }
  explicit ScopedVariant(long number) : ScopedVariant() {
    v.vt = VT_I4;
    v.lVal = number;
  }
  ~ScopedVariant() { VariantClear(&v); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
};

// The desktop's shell dispatch object, through the desktop window's view.
ComPtr<IShellDispatch2> DesktopShellDispatch() {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows,
                              windows.put_void()))) {
    return {};
  }
  ScopedVariant location(static_cast<long>(CSIDL_DESKTOP));
  ScopedVariant root;
  long hwnd = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(&location.v, &root.v, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH,
                            desktop.put()) != S_OK ||
      !desktop) {
    return {};
  }
  ComPtr<IServiceProvider> provider;
  if (FAILED(desktop->QueryInterface(IID_IServiceProvider, provider.put_void()))) return {};
  ComPtr<IShellBrowser> browser;
  if (FAILED(provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void()))) {
    return {};
  }
  ComPtr<IShellView> view;
  if (FAILED(browser->QueryActiveShellView(view.put())) || !view) return {};
  ComPtr<IDispatch> background;
  if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put_void()))) {
    return {};
  }
  ComPtr<IShellFolderViewDual> folderView;
  if (FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.put_void()))) {
    return {};
  }
  ComPtr<IDispatch> application;
  if (FAILED(folderView->get_Application(application.put())) || !application) return {};
  ComPtr<IShellDispatch2> shell;
  if (FAILED(application->QueryInterface(IID_IShellDispatch2, shell.put_void()))) return {};
  return shell;
}

}  // namespace

bool StartThroughDesktopShell(const std::u16string& target, const std::u16string& folder) {
  const ComPtr<IShellDispatch2> shell = DesktopShellDispatch();
  if (!shell) return false;
  BSTR file = SysAllocString(Wide(target));
  if (!file) return false;
  ScopedVariant arguments(L"");
  ScopedVariant directory(Wide(folder));
  ScopedVariant operation(L"");
  ScopedVariant show(static_cast<long>(SW_SHOWNORMAL));
  const HRESULT hr = shell->ShellExecute(file, arguments.v, directory.v, operation.v, show.v);
  SysFreeString(file);
  return SUCCEEDED(hr);
}

namespace {

// Where the shell runs but offers no automation: a primary token made from
// the shell process's own, which carries the signed-in user's rights.
bool StartWithShellToken(const std::u16string& path) {
  const HWND shellWindow = GetShellWindow();
  if (!shellWindow) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(shellWindow, &processId);
  UniqueHandleKernel shellProcess(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!shellProcess) return false;
  HANDLE raw = nullptr;
  if (!OpenProcessToken(shellProcess.get(), TOKEN_DUPLICATE, &raw)) return false;
  UniqueHandleKernel shellToken(raw);
  constexpr DWORD kAccess = TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY |
                            TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
  raw = nullptr;
  if (!DuplicateTokenEx(shellToken.get(), kAccess, nullptr, SecurityImpersonation, TokenPrimary,
                        &raw)) {
    return false;
  }
  UniqueHandleKernel primary(raw);
  std::u16string commandLine = u"\"" + path + u"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  const std::u16string folder = FolderOf(path);
  if (!CreateProcessWithTokenW(primary.get(), 0, Wide(path),
                               reinterpret_cast<wchar_t*>(commandLine.data()), 0, nullptr,
                               folder.empty() ? nullptr : Wide(folder), &startup, &info)) {
    return false;
  }
  const UniqueHandleKernel thread(info.hThread);
  const UniqueHandleKernel process(info.hProcess);
  return true;
}

bool StartDirectly(const std::u16string& path) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.lpFile = Wide(path);
  const std::u16string folder = FolderOf(path);
  info.lpDirectory = folder.empty() ? nullptr : Wide(folder);
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

}  // namespace

LaunchRoute LaunchUnelevated(const std::u16string& path) {
  if (StartThroughDesktopShell(path, FolderOf(path))) return LaunchRoute::kDesktopShell;
  if (!IsProcessElevated()) {
    return StartDirectly(path) ? LaunchRoute::kDirect : LaunchRoute::kNotStarted;
  }
  return StartWithShellToken(path) ? LaunchRoute::kShellToken : LaunchRoute::kNotStarted;
}

}  // namespace vwi
