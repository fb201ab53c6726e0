// The encoding a document names for itself.
#pragma once

#include <string>
#include <string_view>

namespace vwi {

// The value of the "encoding" attribute of an XML declaration at offset 0,
// or, in an HTML text, the charset of a <meta http-equiv="Content-Type">
// tag in its head. Empty when the text names none.
std::u16string FindDeclaredEncoding(std::u16string_view text);

}  // namespace vwi
