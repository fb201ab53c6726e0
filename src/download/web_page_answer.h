// A network that answers a download with a page of its own (a hotel's or an
// airport's sign-in page) instead of the file asked for: told by the
// answer's type, or, for files that are never HTML (packages, programs, the
// version file), by their first bytes. Such an answer is never kept.
#pragma once

#include <cstddef>
#include <string_view>

namespace vwi {

// How many of a file's first bytes LooksLikeWebPage needs.
inline constexpr size_t kWebPageSniffBytes = 512;

// True for a Content-Type of text/html or application/xhtml+xml, in any
// case and with any parameters ("text/html; charset=utf-8").
bool IsWebPageType(std::u16string_view contentType);

// True when the bytes begin, after a byte-order mark and white space, with
// what only an HTML document begins with: a doctype of html, or an <html>,
// <head>, <body>, <title>, <meta> or <script> element.
bool LooksLikeWebPage(std::string_view firstBytes);

}  // namespace vwi
