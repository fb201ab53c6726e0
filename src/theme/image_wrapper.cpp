#include "theme/image_wrapper.h"

namespace vwi {

Size StripFrameSize(int imageWidth, int imageHeight, int frameCount, int horizontalFrames) {
  if (frameCount < 1) return {imageWidth, imageHeight};
  if (horizontalFrames) return {imageWidth / frameCount, imageHeight};
  return {imageWidth, imageHeight / frameCount};
}

void PremultiplyBgra(std::span<std::uint8_t> pixels) {
  for (std::size_t i = 0; i + 4 <= pixels.size(); i += 4) {
    const unsigned alpha = pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c) {
      pixels[i + c] = static_cast<std::uint8_t>(pixels[i + c] * alpha / 255);
    }
  }
}

}  // namespace vwi
