// Creating the platform font of a theme font request.
#pragma once

#include <windows.h>

#include "app/font_spec.h"
#include "platform/win/unique_handle.h"

namespace vwi {

// The font for `style`; null when it cannot be created.
UniqueFont CreateThemeFont(const FontSpec& style);

}  // namespace vwi
