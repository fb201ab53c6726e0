#include "app/win/updater_handover.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/paths.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {

HandOverResult HandOverToUpdater(const std::u16string& updaterPath, IMessageBox& messages,
                                 const std::u16string& caption) {
  // A copy: the caller's string may belong to an object that goes away.
  const std::u16string path = updaterPath;
  if (path.empty() || !PathFileExistsW(Wide(path))) return HandOverResult::kNoFile;
  const std::u16string folder = FolderOf(path);
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", Wide(path), L"/n", folder.empty() ? nullptr : Wide(folder), SW_SHOWNORMAL));
  if (result > 32) return HandOverResult::kStarted;
  messages.Show(u"The updater cannot be launched!", caption,
                message_box::kOk | message_box::kIconError);
  return HandOverResult::kStartFailed;
}

SilentHandOver HandOverSilently(const std::u16string& updaterPath, const std::u16string& parameters,
                                IMessageBox& messages, const std::u16string& caption) {
  const std::u16string path = updaterPath;
  SilentHandOver handOver;
  if (path.empty() || !PathFileExistsW(Wide(path))) return handOver;
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = Wide(path);
  info.lpParameters = Wide(parameters);
  const std::u16string folder = FolderOf(path);
  info.lpDirectory = folder.empty() ? nullptr : Wide(folder);
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) {
    messages.Show(u"The updater cannot be launched!", caption,
                  message_box::kOk | message_box::kIconError);
    handOver.result = HandOverResult::kStartFailed;
    return handOver;
  }
  handOver.result = HandOverResult::kStarted;
  UniqueHandleKernel process(info.hProcess);
  if (!process) return handOver;
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code)) handOver.exitCode = static_cast<int>(code);
  return handOver;
}

}  // namespace vwi
