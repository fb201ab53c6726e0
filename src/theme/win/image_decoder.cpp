#include "theme/win/image_decoder.h"

#include "theme/win/gdiplus_headers.h"

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "theme/png_decoder.h"
#include "theme/win/gdiplus_session.h"

namespace vwi {
namespace {

namespace gp = Gdiplus::DllExports;

// The decoder stays up once an image was decoded; the cache keeps using it.
GdiplusUser& Decoder() {
  static GdiplusUser user;
  return user;
}

struct GpBitmapDeleter {
  void operator()(Gdiplus::GpBitmap* b) const { gp::GdipDisposeImage(b); }
};
using GpBitmapPtr = std::unique_ptr<Gdiplus::GpBitmap, GpBitmapDeleter>;

// A new top-down 32-bit DIB section; empty for sizes beyond 16,384.
DecodedPixels NewDibSection(UINT width, UINT height) {
  DecodedPixels out;
  if (width == 0 || height == 0 || width > 0x4000 || height > 0x4000) return out;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return out;
  out.bitmap = std::move(dib);
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.bits = static_cast<std::uint8_t*>(bits);
  return out;
}

// Copies a decoded GDI+ bitmap into a new top-down 32-bit DIB section.
DecodedPixels ToDibSection(Gdiplus::GpBitmap* source) {
  UINT width = 0, height = 0;
  if (gp::GdipGetImageWidth(source, &width) != Gdiplus::Ok ||
      gp::GdipGetImageHeight(source, &height) != Gdiplus::Ok) {
    return {};
  }
  DecodedPixels out = NewDibSection(width, height);
  if (!out.bitmap) return out;
  Gdiplus::BitmapData data{};
  data.Width = width;
  data.Height = height;
  data.Stride = static_cast<INT>(width * 4);
  data.PixelFormat = PixelFormat32bppARGB;
  data.Scan0 = out.bits;
  const Gdiplus::GpRect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  if (gp::GdipBitmapLockBits(source, &all,
                             Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                             PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
    return {};
  }
  gp::GdipBitmapUnlockBits(source, &data);
  return out;
}

// PNG bytes in a stream of their own. GDI+ may read a stream whenever it
// needs pixels, for as long as the bitmap made from it lives, so the stream
// owns its memory block and outlives every bitmap decoded from it.
ComPtr<IStream> MemoryStream(std::span<const std::uint8_t> png) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, png.size());
  if (!block) return {};
  void* dest = GlobalLock(block);
  if (!dest) {
    GlobalFree(block);
    return {};
  }
  std::copy(png.begin(), png.end(), static_cast<std::uint8_t*>(dest));
  GlobalUnlock(block);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.put()))) {
    GlobalFree(block);
    return {};
  }
  return stream;
}

class GdiplusReader final : public IPictureReader {
 public:
  bool Open(IStream* stream) override {
    Gdiplus::GpBitmap* raw = nullptr;
    if (!Decoder().ok() || gp::GdipCreateBitmapFromStream(stream, &raw) != Gdiplus::Ok) {
      return false;
    }
    bitmap_.reset(raw);
    return true;
  }
  DecodedPixels CopyPixels() override {
    return bitmap_ ? ToDibSection(bitmap_.get()) : DecodedPixels{};
  }

 private:
  GpBitmapPtr bitmap_;
};

}  // namespace

std::unique_ptr<IPictureReader> MakeGdiplusReader() { return std::make_unique<GdiplusReader>(); }

std::shared_ptr<CImageWrapper> DecodePngStream(IStream* stream, IPictureReader& reader) {
  auto image = std::make_shared<CImageWrapper>();
  if (!stream || !reader.Open(stream)) return image;
  DecodedPixels pixels = reader.CopyPixels();
  if (!pixels.bitmap) return image;
  PremultiplyBgra({pixels.bits, static_cast<std::size_t>(pixels.width) * pixels.height * 4});
  image->bitmap = pixels.bitmap.release();
  image->width = pixels.width;
  image->height = pixels.height;
  return image;
}

std::shared_ptr<CImageWrapper> DecodePngStream(IStream* stream) {
  return DecodePngStream(stream, *MakeGdiplusReader());
}

std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png,
                                              IPictureReader& reader) {
  if (png.empty()) return std::make_shared<CImageWrapper>();
  // The stream, and the block it owns, outlive the reader's last read.
  const ComPtr<IStream> stream = MemoryStream(png);
  if (!stream) return nullptr;  // out of memory
  return DecodePngStream(stream.get(), reader);
}

std::shared_ptr<CImageWrapper> DecodeOwnPng(std::span<const std::uint8_t> png) {
  const std::optional<PngPixels> decoded = DecodePng(png);
  if (!decoded) return nullptr;
  DecodedPixels pixels =
      NewDibSection(static_cast<UINT>(decoded->width), static_cast<UINT>(decoded->height));
  if (!pixels.bitmap) return nullptr;
  std::copy(decoded->bgra.begin(), decoded->bgra.end(), pixels.bits);
  PremultiplyBgra({pixels.bits, decoded->bgra.size()});
  return std::make_shared<CImageWrapper>(pixels.bitmap.release(), pixels.width, pixels.height);
}

std::shared_ptr<CImageWrapper> DecodePngBytes(std::span<const std::uint8_t> png) {
  // The program's own pictures are all of the kinds its decoder reads, so
  // GDI+ (with OLE and the imaging codecs) is not loaded for them.
  if (std::shared_ptr<CImageWrapper> own = DecodeOwnPng(png)) return own;
  return DecodePngBytes(png, *MakeGdiplusReader());
}

std::unique_ptr<CImageWrapper> DecodeImageFile(const std::u16string& path) {
  auto image = std::make_unique<CImageWrapper>();
  if (!Decoder().ok()) return image;
  Gdiplus::GpBitmap* raw = nullptr;
  if (gp::GdipCreateBitmapFromFile(Wide(path), &raw) != Gdiplus::Ok) return image;
  GpBitmapPtr decoded(raw);
  DecodedPixels pixels = ToDibSection(decoded.get());
  if (!pixels.bitmap) return image;
  image->bitmap = pixels.bitmap.release();
  image->width = pixels.width;
  image->height = pixels.height;
  return image;
}

}  // namespace vwi
