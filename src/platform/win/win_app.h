// The application base: wWinMain hands the run to one object, which sets
// itself up in InitInstance and tears down in ExitInstance. The run is over
// when InitInstance returns: everything the user sees happens in the modal
// dialogs it runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vwi {

class Window;

class WinApp {
 public:
  WinApp() = default;
  WinApp(const WinApp&) = delete;
  WinApp& operator=(const WinApp&) = delete;
  virtual ~WinApp() = default;

  // Runs InitInstance, then ExitInstance; returns ExitInstance's result as
  // the process exit code.
  int Run(HINSTANCE instance);

  HINSTANCE instance() const { return instance_; }
  Window* mainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }
  HWND MainWindowHandle() const;

  // The process's arguments as the runtime splits the command line,
  // index 0 being the program's own path.
  static std::vector<std::u16string> Arguments();

 protected:
  virtual bool InitInstance() { return true; }
  // Returns the process exit code.
  virtual int ExitInstance() { return exitCode_; }
  void SetExitCode(int code) { exitCode_ = code; }

 private:
  HINSTANCE instance_ = nullptr;
  Window* mainWindow_ = nullptr;
  int exitCode_ = 0;
};

}  // namespace vwi
