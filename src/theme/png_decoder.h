// The program's own PNG decoder: the common, non-interlaced kinds of PNG
// (every colour type, bit depths 1 to 16, transparency chunk), decoded
// without loading the platform's imaging libraries before the first window.
// Anything else is left to the platform's decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vwi {

// Straight-alpha pixels, top-down, each stored blue, green, red, alpha.
struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
};

// Pictures larger than this many pixels are not decoded here.
inline constexpr std::uint64_t kMaxPngPixels = 16u * 1024 * 1024;

// Nothing when the bytes are not a PNG this decoder reads (interlaced,
// malformed, truncated, or too large).
std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> png);

}  // namespace vwi
