#include "theme/image_cache.h"

namespace vwi {

std::shared_ptr<CImageWrapper> ImageCache::Load(std::uint32_t id, IPngSource& source) {
  if (auto it = images_.find(id); it != images_.end()) return it->second;
  const std::optional<std::span<const std::uint8_t>> png =
      source.FindPng(static_cast<std::uint16_t>(id & 0xFFFF));
  if (!png) return nullptr;
  std::shared_ptr<CImageWrapper> image = source.Decode(*png);
  // Memory ran out: nothing is cached, a later load may succeed.
  if (!image) return nullptr;
  image->frameCount = 1;
  image->horizontalFrames = 1;
  images_.emplace(id, image);
  return image;
}

}  // namespace vwi
