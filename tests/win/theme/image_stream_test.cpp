// Decoding a picture from a stream: the pixels are copied while the stream is
// readable. Wine's GDI+ reads the whole stream at once, so a reader that
// reads only when the pixels are copied, as Windows' GDI+ may, stands in for
// it to show the order.
#include <windows.h>

#include <shlwapi.h>

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "theme/win/image_decoder.h"

namespace vwi {
namespace {

std::vector<BYTE> FileBytes(const wchar_t* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ImageStream, ThePictureOfACallersStreamIsDecodedPremultiplied) {
  const std::vector<BYTE> png = FileBytes(VWI_TEST_SOURCE_DIR L"\\theme\\theme_premultiply.png");
  ASSERT_FALSE(png.empty());
  IStream* stream = SHCreateMemStream(png.data(), static_cast<UINT>(png.size()));
  ASSERT_TRUE(stream);
  const auto image = DecodePngStream(stream);
  stream->Release();
  ASSERT_TRUE(image && image->bitmap);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  // The same bytes through the decoder's own stream.
  const auto again = DecodePngBytes(png);
  ASSERT_TRUE(again && again->bitmap);
  EXPECT_EQ(again->width, 2);
}

// Keeps a reference to the stream when opened and reads it only when the
// pixels are wanted, then decodes what it read with the platform's reader.
class LateReader final : public IPictureReader {
 public:
  ~LateReader() override {
    if (stream_) stream_->Release();
  }
  bool Open(IStream* stream) override {
    stream_ = stream;
    stream_->AddRef();
    return true;
  }
  DecodedPixels CopyPixels() override {
    std::vector<BYTE> bytes(4096);
    ULONG read = 0;
    const LARGE_INTEGER start{};
    if (FAILED(stream_->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream_->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read))) {
      return {};
    }
    IStream* copy = SHCreateMemStream(bytes.data(), read);
    const auto real = MakeGdiplusReader();
    DecodedPixels pixels = real->Open(copy) ? real->CopyPixels() : DecodedPixels{};
    copy->Release();
    return pixels;
  }

 private:
  IStream* stream_ = nullptr;
};

TEST(ImageStream, TheBytesAreStillThereWhenAReaderReadsThemLate) {
  const std::vector<BYTE> png = FileBytes(VWI_TEST_SOURCE_DIR L"\\theme\\theme_premultiply.png");
  ASSERT_FALSE(png.empty());
  LateReader reader;
  const auto image = DecodePngBytes(png, reader);
  ASSERT_TRUE(image && image->bitmap);
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
}

TEST(ImageStream, BytesThatAreNoPictureGiveAnEmptyImage) {
  const std::array<BYTE, 6> text = {'n', 'o', ' ', 'p', 'n', 'g'};
  IStream* stream = SHCreateMemStream(text.data(), static_cast<UINT>(text.size()));
  const auto image = DecodePngStream(stream);
  stream->Release();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitmap, nullptr);
  EXPECT_EQ(DecodePngStream(nullptr)->bitmap, nullptr);
  EXPECT_EQ(DecodePngBytes({})->bitmap, nullptr);
}

}  // namespace
}  // namespace vwi

namespace vwi {
namespace {

// The premultiplied pixels of an image's DIB section.
std::vector<BYTE> Pixels(const CImageWrapper& image) {
  DIBSECTION section{};
  if (!GetObjectW(image.bitmap, sizeof(section), &section) || !section.dsBm.bmBits) return {};
  const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
  return {bits, bits + static_cast<size_t>(image.width) * image.height * 4};
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
  }
  return TRUE;
}

TEST(ImageStream, EveryPictureOfTheProgramDecodesAlikeWithoutGdiplus) {
  HMODULE program = LoadLibraryExW(VWI_INSTALLER_EXE, nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(program);
  std::vector<WORD> ids;
  EnumResourceNamesW(program, L"PNG", CollectName, reinterpret_cast<LONG_PTR>(&ids));
  EXPECT_GE(ids.size(), 40u);  // ten pictures in four sizes
  for (const WORD id : ids) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), L"PNG");
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(program, found)));
    const std::span<const std::uint8_t> png(data, SizeofResource(program, found));
    const auto own = DecodeOwnPng(png);
    ASSERT_TRUE(own && own->bitmap);
    const auto platform = DecodePngBytes(png, *MakeGdiplusReader());
    ASSERT_TRUE(platform && platform->bitmap);
    EXPECT_EQ(own->width, platform->width);
    EXPECT_EQ(own->height, platform->height);
    EXPECT_EQ(Pixels(*own), Pixels(*platform));
  }
  FreeLibrary(program);
}

}  // namespace
}  // namespace vwi
