// Whether this process runs with administrator rights.
#pragma once

namespace vwi {

// True when the process's token is elevated, and when that cannot be
// learnt (the safe assumption for anything that guards against elevation).
bool IsProcessElevated();

}  // namespace vwi
