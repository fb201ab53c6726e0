#include "platform/win/safe_start.h"

#include <windows.h>

#include <vector>

#include "platform/win/wide.h"

namespace vwi {

std::u16string EnterSafeStart() {
  // Libraries: the system folder only, for static loads made later by the
  // delay-load helper and for LoadLibrary alike; "" drops the current folder
  // from the older search order too.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
  // Programs found by SearchPath look in the current folder last.
  SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);

  std::u16string start;
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length > 0) {
    std::vector<wchar_t> buffer(length);
    const DWORD copied = GetCurrentDirectoryW(length, buffer.data());
    if (copied > 0 && copied < length) start = FromWide(std::wstring_view(buffer.data(), copied));
  }
  const std::u16string system = SystemFolder();
  if (!system.empty()) SetCurrentDirectoryW(Wide(system));
  return start;
}

void KeepSystemLibrary(const wchar_t* name) {
  LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::u16string SystemFolder() {
  wchar_t buffer[MAX_PATH];
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return FromWide(std::wstring_view(buffer, length));
}

std::u16string AbsoluteFrom(const std::u16string& folder, const std::u16string& path) {
  const bool drive = path.size() >= 2 && path[1] == u':';
  const bool rooted = !path.empty() && (path[0] == u'\\' || path[0] == u'/');
  if (drive || rooted || folder.empty() || path.empty()) return path;
  std::u16string joined = folder;
  if (joined.back() != u'\\') joined += u'\\';
  joined += path;
  // Let Windows fold ".\" and "..\" the way the start folder would have.
  wchar_t full[MAX_PATH * 2];
  const DWORD length = GetFullPathNameW(Wide(joined), MAX_PATH * 2, full, nullptr);
  if (length == 0 || length >= MAX_PATH * 2) return joined;
  return FromWide(std::wstring_view(full, length));
}

}  // namespace vwi
