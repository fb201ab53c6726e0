// Small UTF-16 text helpers shared by the portable core.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vwi {

// One UTF-8 sequence: its code point (U+FFFD when it is ill-formed), how
// many bytes it took (an ill-formed one: the bytes read before it failed)
// and whether it was well-formed.
struct Utf8Sequence {
  char32_t codePoint = 0;
  size_t length = 0;
  bool wellFormed = false;
};

// The sequence at text[at]; `at` must be inside the text.
Utf8Sequence DecodeUtf8At(std::string_view text, size_t at);

// UTF-8 to UTF-16; ill-formed sequences become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

// Lower-cases the ASCII letters A-Z and leaves every other unit as it is.
std::u16string AsciiLower(std::u16string_view text);

// Compares ignoring the case of the ASCII letters only.
bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);
// True when `text` ends with `suffix`, ignoring the case of the ASCII letters
// only (a file's extension: ".MSI" is ".msi").
bool EndsWithIgnoreAsciiCase(std::u16string_view text, std::u16string_view suffix);

// Reads a decimal number leniently: leading blanks, an optional sign, then
// digits up to the first non-digit; 0 when no digit follows. Values beyond
// the 32-bit range saturate.
int32_t ParseLenientInt(std::u16string_view text);

// Decimal text of a number, for building paths and messages.
std::u16string DecimalText(int64_t value);

// The name an enumeration's value has in a table indexed by value, or
// "unknown" for a value outside the table (one read from a damaged record).
template <typename Enum, size_t N>
constexpr std::u16string_view NameIn(const std::u16string_view (&names)[N], Enum value) {
  const auto index = static_cast<int64_t>(value);
  return index >= 0 && static_cast<size_t>(index) < N ? names[index] : u"unknown";
}

}  // namespace vwi
