// Arbitrary bytes read as a PNG by the program's own decoder, and as a zlib
// stream by its decompressor.
#include <cstddef>
#include <cstdint>
#include <span>

#include "theme/inflate.h"
#include "theme/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (const auto pixels = vwi::DecodePng(bytes)) {
    // Whatever decodes has exactly the pixels its header names.
    if (pixels->bgra.size() != static_cast<size_t>(pixels->width) * pixels->height * 4) {
      __builtin_trap();
    }
  }
  vwi::InflateZlib(bytes, 1 << 20);
  return 0;
}
