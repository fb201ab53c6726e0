#include "app/win/updater_handover.h"

#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#include "platform/win/wide.h"

namespace vwi {

HandOverResult HandOverToUpdater(const std::u16string& updaterPath, IMessageBox& messages,
                                 const std::u16string& caption) {
  // A copy: the caller's string may belong to an object that goes away.
  const std::u16string path = updaterPath;
  if (path.empty() || !PathFileExistsW(Wide(path))) return HandOverResult::kNoFile;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", Wide(path), L"/n", nullptr, SW_SHOWNORMAL));
  if (result > 32) return HandOverResult::kStarted;
  messages.Show(u"The updater cannot be launched!", caption,
                message_box::kOk | message_box::kIconError);
  return HandOverResult::kStartFailed;
}

}  // namespace vwi
