// Where the installer puts a downloaded component.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "context/installer_context.h"

namespace vwi {

// componentFolder + name for a standalone manifest; otherwise componentFolder,
// the tick count as a signed decimal, then name, so every run downloads into
// fresh files.
std::u16string ComponentPath(const InstallerContext& context, std::u16string_view name,
                             uint32_t tick);

}  // namespace vwi
