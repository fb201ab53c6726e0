// Decoding PNG and JPEG pictures into 32-bit top-down bitmaps with GDI+.
#pragma once

#include <objidl.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/win/unique_handle.h"
#include "theme/image_wrapper.h"

namespace vwi {

// Pixels copied out of a decoded picture: a top-down 32-bit DIB section with
// straight alpha (blue, green, red, alpha bytes).
struct DecodedPixels {
  UniqueBitmap bitmap;
  int width = 0;
  int height = 0;
  std::uint8_t* bits = nullptr;
};

// How a picture is read from a stream. GDI+ may read the stream whenever it
// needs pixels, from Open until the reader is done with the picture, so the
// stream must stay readable until CopyPixels has returned.
class IPictureReader {
 public:
  virtual ~IPictureReader() = default;
  virtual bool Open(IStream* stream) = 0;
  virtual DecodedPixels CopyPixels() = 0;
};

// The reader of the platform's GDI+; empty until Open succeeds.
std::unique_ptr<IPictureReader> MakeGdiplusReader();

// PNG bytes held in memory, with premultiplied alpha; an empty image (no
// bitmap, 0 x 0) when they cannot be decoded, and nothing at all when memory
// for them cannot be had. Without a reader, the program's own decoder reads
// them where it can and GDI+ otherwise; with one, that reader alone.
std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png);
std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png,
                                              IPictureReader& reader);

// PNG bytes through the program's own decoder alone, premultiplied; nothing
// when it does not read them.
std::shared_ptr<CImageWrapper> DecodeOwnPng(std::span<const std::uint8_t> png);

// The PNG a stream holds, decoded as DecodePngBytes does. The stream stays
// the caller's: it is read while this runs and not after.
std::shared_ptr<CImageWrapper> DecodePngStream(IStream* stream);
std::shared_ptr<CImageWrapper> DecodePngStream(IStream* stream, IPictureReader& reader);

// A picture file with straight alpha; an empty image when it cannot be decoded.
std::unique_ptr<CImageWrapper> DecodeImageFile(const std::u16string& path);

}  // namespace vwi
