// Names taken from the manifest become file names in the work folders; a
// name that could climb out of its folder or name a device must never reach
// the file system.
#pragma once

#include <string_view>

#include "context/product_manifest.h"

namespace vwi {

// True for a name that stays a file of the folder it is put in: no path
// separator, no drive or stream colon, not "." or "..", no trailing dot or
// blank, no control or wildcard character, no reserved device name (CON,
// PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension), at most 255
// characters. The empty name counts as plain: items without a name are
// skipped.
bool IsPlainFileName(std::u16string_view name);

// True when every name the manifest gives (the main component's, every
// transform's, language pack's and prerequisite's, and the product's full
// name, which names a newer installer's file) is plain.
bool HasPlainFileNames(const ProductManifest& manifest);

}  // namespace vwi
