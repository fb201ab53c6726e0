// Turns 8-bit (or UTF-32) bytes in a named encoding into UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "xml/xml_platform.h"

namespace vwi {

// Converts `count` bytes from `encoding` (looked up in the charset table;
// an empty or unknown name means the system's default 8-bit code page).
// Counts first, then converts into a buffer of the count plus 1 percent.
// `out` is empty when the platform cannot convert that code page.
void ConvertToUtf16(std::u16string_view encoding, const char* bytes, int32_t count,
                    ICodePageConverter& converter, std::u16string& out);

// 32-bit little-endian units to UTF-16; units beyond U+FFFF become surrogate pairs.
std::u16string Utf16FromUtf32Le(const char* bytes, int32_t count);

// The size of the second conversion's buffer for `units` counted units.
int64_t ConversionBufferSize(int64_t units);

}  // namespace vwi
