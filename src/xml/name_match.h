// How the reader tells where a name in the text ends and whether it is a
// given name: shared by the document's navigation and the encoding sniffer.
#pragma once

#include <string_view>

namespace vwi {

// The punctuation that ends a name (besides white space).
bool IsNameDelimiter(char16_t c);

enum class NameCase { kExact, kIgnoreAscii };

// A name from the text equals a given name when it matches the given name's
// first units and the given name ends there or at ' ', '=', '/', '[' or ']'.
bool NameEquals(std::u16string_view span, std::u16string_view given,
                NameCase rule = NameCase::kExact);

}  // namespace vwi
