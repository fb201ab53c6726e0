// The text a failed download is told with, in the validator's box and the
// wizard's alike: a sentence a person can act on for its kind (a name not
// found, a refusal with its status, a proxy's password, a sign-in page, a
// certificate's problem, a stall), then where and how it failed, for
// whoever is asked for help ("http://host/Vimzee.msi: status 404").
#pragma once

#include <string>
#include <string_view>

#include "download/transfer_result.h"
#include "localisation/ui_string_catalogue.h"

namespace vwi {

// The text for `transfer`'s failure at `address`; without an address (or a
// failure) the sentence alone.
std::u16string DownloadFailureText(const TransferResult& transfer, std::u16string_view address,
                                   const UiStringCatalogue& strings);

}  // namespace vwi
