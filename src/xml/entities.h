// Character references: decoding (the HTML 4.01 names, apos, numeric forms)
// and encoding of the markup characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vwi {

// The character a named reference stands for, or 0. `name` is the name as
// written (without '&' and ';'): the exact spelling wins, otherwise the name
// matches without regard to case (an upper-case variant first).
char32_t LookupEntity(std::u16string_view name);

// Replaces the references in `text`. The result is never longer than the input.
// A reference that cannot be decoded stays as written.
std::u16string DecodeEntities(std::u16string_view text);

// Replaces '<', '&' and '>' (and in attribute mode also ' and ") by references.
std::u16string EncodeEntities(std::u16string_view text, bool attributeMode);

}  // namespace vwi
