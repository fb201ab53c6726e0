#include "download/download_checks.h"

#include "platform/diagnostics.h"
#include "platform/text.h"

namespace vwi {

bool EnsureFreeSpace(const DownloadChecks& checks, const std::u16string& folder, uint64_t size) {
  if (!checks.freeSpace) return true;
  const std::optional<SpaceShortage> shortage = CheckFreeSpace(*checks.freeSpace, folder, size);
  if (!shortage) return true;
  DiagnosticLine(u"KORVO_DEBUG: Not enough disk space in " + shortage->folder + u": " +
                 DecimalText(static_cast<int64_t>(shortage->megabytesNeeded)) + u" MB needed, " +
                 DecimalText(static_cast<int64_t>(shortage->freeBytes / (1024 * 1024))) +
                 u" MB free.\r\n");
  if (checks.onOutOfDisk) checks.onOutOfDisk(shortage->megabytesNeeded);
  return false;
}

}  // namespace vwi
