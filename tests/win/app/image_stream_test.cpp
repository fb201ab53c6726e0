// Decoding a picture from a stream that stays the caller's: the pixels are
// copied while the stream is there. (Wine's GDI+ reads the whole stream at
// once and holds no reference while it reads, so the lazy reading of
// Windows' GDI+ cannot be observed here; the decoder keeps the stream, and
// the memory it reads, alive until the pixels are copied either way.)
#include <windows.h>

#include <shlwapi.h>

#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "app/win/image_decoder.h"

namespace vwi {
namespace {

std::vector<BYTE> FileBytes(const wchar_t* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ImageStream, ThePictureOfACallersStreamIsDecodedPremultiplied) {
  const std::vector<BYTE> png = FileBytes(VWI_TEST_SOURCE_DIR L"\\app\\theme_premultiply.png");
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
