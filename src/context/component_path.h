// Where the installer puts a downloaded component.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "context/installer_context.h"

namespace vwi {

// The component's file name: name itself for a standalone manifest;
// otherwise the tick count as a signed decimal, then name, so every run
// downloads into fresh files.
std::u16string ComponentFileName(const InstallerContext& context, std::u16string_view name,
                                 uint32_t tick);

// componentFolder followed by the file name.
std::u16string ComponentPath(const InstallerContext& context, std::u16string_view name,
                             uint32_t tick);

}  // namespace vwi
