// One decoded image of the program, and the premultiplication its pixels get.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/geometry.h"

// The platform's bitmap handle type, declared here so the portable core can
// carry one without the platform headers (it is HBITMAP on Windows).
struct HBITMAP__;

namespace vwi {

using NativeBitmap = HBITMAP__*;

// Deletes a bitmap made by the platform's image loaders.
void DeleteNativeBitmap(NativeBitmap bitmap);

// A 32-bit top-down bitmap with alpha, owned: the bitmap is deleted with the
// wrapper. Shared through std::shared_ptr so the last owner deletes it.
struct CImageWrapper {
  CImageWrapper() = default;
  CImageWrapper(NativeBitmap bitmap, int32_t width, int32_t height)
      : bitmap(bitmap), width(width), height(height) {}
  CImageWrapper(const CImageWrapper&) = delete;
  CImageWrapper& operator=(const CImageWrapper&) = delete;
  ~CImageWrapper() {
    if (bitmap) DeleteNativeBitmap(bitmap);
  }

  NativeBitmap bitmap = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t frameCount = 1;
  int32_t horizontalFrames = 1;  // 1: frames side by side; 0: stacked
};

// Size of one frame of a strip of `frameCount` equal frames (the whole image
// when the count is below 1).
Size StripFrameSize(int imageWidth, int imageHeight, int frameCount, int horizontalFrames);

// Premultiplies 32-bit pixels stored blue, green, red, alpha: each colour
// channel becomes channel * alpha / 255, rounded down; alpha stays. A trailing
// partial pixel is left alone.
void PremultiplyBgra(std::span<std::uint8_t> pixels);

}  // namespace vwi
