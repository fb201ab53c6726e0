// Creating the platform font of a theme font request.
#pragma once

#include <windows.h>

#include "app/font_style.h"
#include "platform/win/unique_handle.h"

namespace vwi {

// The font for `style`; null when it cannot be created.
UniqueFont CreateThemeFont(const FontStyle& style);

}  // namespace vwi
