// The native stand-ins are given the program's Windows paths; this is the
// one place that turns such a path into a native one.
#pragma once

#include <filesystem>
#include <string_view>

namespace vwi {

// `windowsPath` in UTF-8 with its backslashes turned to slashes.
std::filesystem::path NativePath(std::u16string_view windowsPath);

}  // namespace vwi
