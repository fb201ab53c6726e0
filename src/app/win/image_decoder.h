// Decoding PNG and JPEG pictures into 32-bit top-down bitmaps with GDI+.
#pragma once

#include <objidl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "app/image_wrapper.h"

namespace vwi {

// PNG bytes held in memory, with premultiplied alpha; an empty image (no
// bitmap, 0 x 0) when they cannot be decoded, and nothing at all when memory
// for them cannot be had.
std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png);

// The PNG a stream holds, decoded as DecodePngBytes does. The stream stays
// the caller's: GDI+ reads it while this runs and not after.
std::shared_ptr<CImageWrapper> DecodePngStream(IStream* stream);

// A picture file with straight alpha; an empty image when it cannot be decoded.
std::unique_ptr<CImageWrapper> DecodeImageFile(const std::u16string& path);

}  // namespace vwi
