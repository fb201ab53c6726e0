// What is wrong with a server certificate that the HTTP stack refused. The
// stack names the first of its checks that failed, and some stacks report
// that revocation could not be checked (12057) where the certificate is in
// fact out of its dates or from an authority this computer does not trust.
// Such a refusal is judged again here, so that the code says what a person
// can act on. Nothing here ever accepts a certificate.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <functional>

namespace vwi {

// The code that names the refusal of `request`'s certificate. Where `code`
// says only that revocation could not be checked: 12037 when the certificate
// is out of its dates, else the certificate code `askWithoutRevocation`
// meets (the same address asked once more with the revocation check left
// out, whose answer is never read or used), else `code` itself. Other codes
// are returned as they are.
uint32_t DiagnosedCertificateError(HINTERNET request, uint32_t code,
                                   const std::function<uint32_t()>& askWithoutRevocation);

}  // namespace vwi
