// What one transfer (or one try of it) came to: success, or the kind of
// failure with the platform's code (a WinINet or Win32 error) and the
// server's HTTP status when it answered. The kind decides whether the
// transfer is tried again; the codes travel to the log and to whoever tells
// the user.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vwi {

enum class TransferFailure {
  None,
  NoConnection,         // no connection was made
  NameNotResolved,      // the server's name was not found
  Dropped,              // reset or closed before the announced size arrived
  TimedOut,             // the response did not come in time
  Stalled,              // nothing arrived for the stall limit
  Status,               // the server answered with a status that is no success
  CertificateRefused,   // the server's TLS certificate was not accepted
  ProxyAuthentication,  // the proxy asked for a user name and password (407)
  Empty,                // the server announced nothing to download (no length, or 0)
  BadAnswer,            // an answer that contradicts itself or the announced size
  DigestMismatch,       // the whole body arrived but is not the package
  DiskFull,
  NotWritable,  // the bytes could not be written
  BadAddress,   // the address could not be read
  Cancelled,
  WebPage,  // the network answered with a web page (a sign-in page) instead of the file
  Other,
};

// What is wrong with a refused certificate, as far as the code tells.
enum class CertificateProblem {
  None,       // not a certificate failure
  Dates,      // out of its dates (or the computer's clock is wrong)
  Authority,  // issued by an authority this computer does not trust
  Name,       // issued for another name than the server's
  Other,      // revoked, unreadable, weak, or revocation not checked
};

struct TransferResult {
  TransferFailure failure = TransferFailure::None;
  uint32_t status = 0;                                       // the HTTP status, when answered
  std::optional<uint32_t> retryAfterSeconds = std::nullopt;  // the answer's Retry-After
  uint32_t systemCode = 0;                                   // the platform's error code

  bool ok() const { return failure == TransferFailure::None; }
};

// A refusal by status (or the proxy's 407) as a result.
TransferResult RefusedWith(uint32_t status, std::optional<uint32_t> retryAfterSeconds = {});

// The kind of a failure the network stack reported by its code (WinINet's
// ERROR_INTERNET_* and the Win32 errors it passes through).
TransferFailure FailureOfSystemCode(uint32_t code);

// The problem a certificate failure's code names.
CertificateProblem CertificateProblemOf(const TransferResult& result);

// The result as the log names it: "status 404", "name not resolved (12007)",
// "certificate refused (12045)".
std::u16string TransferResultText(const TransferResult& result);

// The size a server announces for an address without sending the body, or
// why it could not be learnt (a size of 0 is no failure of the query: it is
// told apart by the caller).
struct SizeResult {
  TransferResult result;
  int64_t size = 0;
};

}  // namespace vwi
