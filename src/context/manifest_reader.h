// Reading the product manifest, an XML file whose elements are searched
// strictly forward in a fixed order: an element that stands before one
// already found is not seen.
#pragma once

#include <cstdint>
#include <string_view>

#include "context/product_manifest.h"
#include "xml/xml_platform.h"

namespace vwi {

// A manifest longer than this is refused unread; real ones are a few KiB.
inline constexpr int64_t kMaxManifestBytes = 512 * 1024;

// Reads the manifest at `path` into `manifest`: values found overwrite its
// fields, entries found are appended to its lists. False only when the file
// cannot be loaded as a well-formed XML document, and then `manifest` is
// unchanged; a document with another root element gives true and fills
// nothing.
bool ParseManifest(std::u16string_view path, ProductManifest& manifest);
bool ParseManifest(std::u16string_view path, ProductManifest& manifest, IRawFileSystem& files,
                   ICodePageConverter& converter);

}  // namespace vwi
