#include "platform/win/win_app.h"

#include <shellapi.h>
#include <stdlib.h>

#include "platform/win/wide.h"
#include "platform/win/window.h"

namespace vwi {

int WinApp::Run(HINSTANCE instance) {
  instance_ = instance;
  InitInstance();
  return ExitInstance();
}

HWND WinApp::MainWindowHandle() const { return mainWindow_ ? mainWindow_->hwnd() : nullptr; }

std::vector<std::u16string> WinApp::Arguments() {
  std::vector<std::u16string> arguments;
  // The C runtime's own split, as the program's argument vector.
  if (__wargv) {
    for (int i = 0; i < __argc; ++i) arguments.push_back(FromWide(__wargv[i]));
    return arguments;
  }
  int count = 0;
  LPWSTR* vector = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!vector) return arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(FromWide(vector[i]));
  LocalFree(vector);
  return arguments;
}

}  // namespace vwi
