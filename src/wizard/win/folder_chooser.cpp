#include "wizard/win/folder_chooser.h"

#include <shlobj.h>

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

// Selects the start folder once the chooser is up, and allows OK only for
// items that have a file-system path.
int CALLBACK BrowseCallback(HWND chooser, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) {
    SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH] = L"";
    const BOOL hasPath = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path);
    SendMessageW(chooser, BFFM_ENABLEOK, 0, hasPath);
  }
  return 0;
}

}  // namespace

std::optional<std::u16string> ChooseFolder(HWND owner, const std::u16string& title,
                                           const std::u16string& start) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = Wide(title);
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(Wide(start));
  const UniqueItemList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = L"";
  if (!SHGetPathFromIDListW(chosen.get(), path)) return std::nullopt;
  return FromWide(path);
}

}  // namespace vwi
