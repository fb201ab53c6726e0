// The process-wide cache of the program's PNG images, keyed by resource id.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>

#include "theme/image_wrapper.h"

namespace vwi {

// Where the PNG bytes come from and how they become a bitmap.
class IPngSource {
 public:
  virtual ~IPngSource() = default;
  // The bytes of PNG resource `id` (its low 16 bits name it); none when the
  // resource cannot be found, loaded or locked.
  virtual std::optional<std::span<const std::uint8_t>> FindPng(std::uint16_t id) = 0;
  // Decodes PNG bytes into a premultiplied 32-bit image; an empty image (no
  // bitmap, 0 x 0) when the bytes cannot be decoded; null when memory ran out.
  virtual std::shared_ptr<CImageWrapper> Decode(std::span<const std::uint8_t> png) = 0;
};

// Entries are never removed. Used only on the main thread: no lock.
class ImageCache {
 public:
  // The cached image, else one decoded from `source` and cached, failures
  // included (cached as an empty image so they are not retried). A missing
  // resource, or memory running out, returns null and caches nothing, so it
  // is tried again.
  std::shared_ptr<CImageWrapper> Load(std::uint32_t id, IPngSource& source);

  std::size_t size() const { return images_.size(); }

 private:
  std::map<std::uint32_t, std::shared_ptr<CImageWrapper>> images_;
};

}  // namespace vwi
