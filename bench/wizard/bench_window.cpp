// Starts a program and measures it as a user meets it: the milliseconds to
// its first visible window, then the time a window of CLASS shows, and the
// program's memory, handles and GDI and USER objects SETTLE_MS after that,
// sampled again every SAMPLE_MS for RUN_MS; the program is ended afterwards.
//
//   bench_window CLASS SETTLE_MS RUN_MS SAMPLE_MS PROGRAM [ARGS...]
//
// Prints "first-window MS", "class-window MS" and per sample
// "sample SECONDS working-set BYTES private BYTES handles N gdi N user N".
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
  DWORD process;
  const wchar_t* windowClass;  // nullptr: any
  bool found = false;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !IsWindowVisible(window)) return TRUE;
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  if (search.windowClass && std::wstring(name) != search.windowClass) return TRUE;
  search.found = true;
  return FALSE;
}

bool HasWindow(DWORD process, const wchar_t* windowClass) {
  Search search{process, windowClass};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Milliseconds from `start` until the window shows; -1 after 60 s.
long long WaitFor(DWORD process, const wchar_t* windowClass, Clock::time_point start) {
  while (Clock::now() - start < std::chrono::seconds(60)) {
    if (HasWindow(process, windowClass)) {
      return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    }
    Sleep(2);
  }
  return -1;
}

std::wstring Quoted(const wchar_t* text) { return L"\"" + std::wstring(text) + L"\""; }

void Sample(HANDLE process, double seconds) {
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                       sizeof(memory));
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  std::printf("sample %.1f working-set %llu private %llu handles %lu gdi %lu user %lu\n", seconds,
              static_cast<unsigned long long>(memory.WorkingSetSize),
              static_cast<unsigned long long>(memory.PrivateUsage), handles,
              GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS));
  std::fflush(stdout);
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
  if (count < 6) {
    std::fprintf(stderr, "usage: bench_window CLASS SETTLE_MS RUN_MS SAMPLE_MS PROGRAM [ARGS]\n");
    return 2;
  }
  const wchar_t* windowClass = arguments[1];
  const int settle = _wtoi(arguments[2]), run = _wtoi(arguments[3]), every = _wtoi(arguments[4]);
  std::wstring commandLine = Quoted(arguments[5]);
  for (int i = 6; i < count; ++i) commandLine += L" " + Quoted(arguments[i]);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const Clock::time_point start = Clock::now();
  if (!CreateProcessW(arguments[5], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::printf("start-failed %lu\n", GetLastError());
    return 1;
  }
  std::printf("first-window %lld\n", WaitFor(process.dwProcessId, nullptr, start));
  const long long shown = WaitFor(process.dwProcessId, windowClass, start);
  std::printf("class-window %lld\n", shown);
  std::fflush(stdout);
  if (shown >= 0) {
    Sleep(static_cast<DWORD>(settle));
    for (int elapsed = 0;; elapsed += every) {
      Sample(process.hProcess, (settle + elapsed) / 1000.0);
      if (elapsed + every > run || every <= 0) break;
      Sleep(static_cast<DWORD>(every));
    }
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shown >= 0 ? 0 : 1;
}
