// SHA-256 digests that the manifest and the version file may give for a
// payload: their text form (64 hexadecimal digits, either case) and whether
// the digests a manifest carries can be used at all.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "context/product_manifest.h"

namespace vwi {

using Sha256Digest = std::array<uint8_t, 32>;

// The digest written as 64 hexadecimal digits, either case. Blanks, tabs and
// line breaks around the digits are ignored (pretty-printed files carry
// them); anything else, a wrong length included, gives nothing.
std::optional<Sha256Digest> ParseSha256Hex(std::u16string_view text);

// 64 lower-case hexadecimal digits.
std::u16string Sha256Hex(const Sha256Digest& digest);

// True when every digest element the manifest carries holds a well-formed
// digest. An element given but malformed makes the manifest unusable: the
// packages it names could not be checked, and must not run unchecked.
bool HasWellFormedDigests(const ProductManifest& manifest);

}  // namespace vwi
