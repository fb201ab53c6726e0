// Encoding names and the code pages they stand for.
#pragma once

#include <cstdint>
#include <string_view>

namespace vwi {

// UTF-32 as converted by the document itself rather than by the platform.
constexpr int32_t kCodePageUtf32Own = 65005;

// A code page number for an encoding name: 0 for an empty name, 65005 for a
// name that begins with "UTF-32" exactly, -1 for a name not in the table.
// Other names compare without regard to ASCII case.
int32_t LookupCodePage(std::u16string_view name);

}  // namespace vwi
