// Creating the platform font of a theme font request.
#pragma once

#include <windows.h>

#include "platform/win/unique_handle.h"
#include "theme/font_style.h"

namespace vwi {

// The font for `style`; null when it cannot be created.
UniqueFont CreateThemeFont(const FontStyle& style);

}  // namespace vwi
