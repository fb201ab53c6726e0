// Decoding PNG and JPEG pictures into 32-bit top-down bitmaps with GDI+.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "app/image_wrapper.h"

namespace vwi {

// PNG bytes held in memory, with premultiplied alpha; an empty image (no
// bitmap, 0 x 0) when they cannot be decoded.
std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png);

// A picture file with straight alpha; an empty image when it cannot be decoded.
std::unique_ptr<CImageWrapper> DecodeImageFile(const std::u16string& path);

}  // namespace vwi
