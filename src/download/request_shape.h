// The fixed shape of the installer's HTTP requests and the rules applied to
// the server's answers, kept apart from the HTTP stack so they can be checked.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vwi {

namespace request_flags {
inline constexpr uint32_t kReload = 0x80000000;        // never answer from a cache
inline constexpr uint32_t kNoCacheWrite = 0x04000000;  // never store the response
inline constexpr uint32_t kKeepConnection = 0x00400000;
inline constexpr uint32_t kSecure = 0x00800000;  // TLS
inline constexpr uint32_t kNoUi = 0x00000200;    // never show a dialog
// Certificate relaxations that the installer deliberately does NOT use: it
// runs elevated and executes what it downloads, so the server's identity
// must be proven.
inline constexpr uint32_t kIgnoreCertDateInvalid = 0x00002000;
inline constexpr uint32_t kIgnoreCertCnInvalid = 0x00001000;
}  // namespace request_flags

enum class RequestKind { SizeQuery, FileDownload, StreamDownload };

// The request flags for an operation, plain or secure (HTTPS).
uint32_t RequestFlags(RequestKind kind, bool secure);

// The size query accepts 200-402 and 405-500; it rejects 403, 404, below
// 200 and above 500.
bool IsAcceptedSizeStatus(uint32_t status);

// The size query asks with HEAD first, which brings no body: an unread GET
// body is still transferred, because the HTTP stack drains it on close to
// reuse the connection. A HEAD answer counts only when it is a success with
// a length; for anything else (a server that refuses HEAD, signs its links
// for GET only, or has no length to give) the GET is asked and its answer
// stands.
bool IsDefiniteHeadAnswer(uint32_t status, std::optional<int64_t> length);

// A body is written only from a success answer (2xx): an error page is
// never stored as a package.
bool IsBodyStatus(uint32_t status);

// Reads a Content-Length value: optional blanks, then decimal digits, up to
// 2^63 - 1. Nothing for text without digits, a sign, or an out-of-range value.
std::optional<int64_t> ParseContentLength(std::u16string_view text);

}  // namespace vwi
