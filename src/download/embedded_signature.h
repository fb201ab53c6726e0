// Where a program file carries its Authenticode signature: the PKCS #7
// signed data of the first entry of its certificate table (the PE security
// directory). Read through the hold, so the bytes judged are the bytes that
// will run.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/held_folder.h"

namespace vwi {

// The signed data; nothing when the file is no PE image, has no certificate
// table, or its first entry is no PKCS #7 signed data or lies outside the
// file.
std::optional<std::vector<uint8_t>> EmbeddedSignature(IHeldFile& file);

}  // namespace vwi
