#include "platform/win/elevation.h"

#include <windows.h>

#include "platform/win/unique_handle.h"

namespace vwi {

bool IsProcessElevated() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return true;
  UniqueHandleKernel token(raw);
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size)) {
    return true;
  }
  return elevation.TokenIsElevated != 0;
}

}  // namespace vwi
