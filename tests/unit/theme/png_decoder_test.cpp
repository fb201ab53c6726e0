#include "theme/png_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "theme/inflate.h"

namespace vwi {
namespace {

std::vector<std::uint8_t> Fixture(const std::string& name) {
  std::ifstream in(std::string(VWI_FIXTURES) + "/png/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PngDecoder, EveryColourTypeDepthFilterAndBlockKindDecodesToItsPixels) {
  for (const char* name :
       {"rgba8", "rgba16", "rgb8_trns", "rgb16", "grey1", "grey2_trns", "grey4", "grey8",
        "grey_alpha8", "palette1", "palette2", "palette4_trns", "palette8"}) {
    SCOPED_TRACE(name);
    const std::optional<PngPixels> pixels = DecodePng(Fixture(std::string(name) + ".png"));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->width, 13);
    EXPECT_EQ(pixels->height, 7);
    EXPECT_EQ(pixels->bgra, Fixture(std::string(name) + ".bgra"));
  }
}

TEST(PngDecoder, DamagedOrUnreadPicturesAreRefusedWithoutReadingPastTheirEnd) {
  const std::vector<std::uint8_t> good = Fixture("rgba8.png");
  // Every shorter prefix: no IEND, or a chunk running past the end.
  for (std::size_t size = 0; size < good.size(); ++size) {
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_FALSE(DecodePng(cut)) << size;
  }
  // IHDR bytes: width 8..11, height 12..15, then depth, colour type,
  // compression, filter, interlace at 16..20 (from the file's start + 8).
  auto changed = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> bytes = good;
    bytes[8 + at] = value;
    return bytes;
  };
  EXPECT_FALSE(DecodePng(changed(20, 1)));    // interlaced: the platform's decoder reads it
  EXPECT_FALSE(DecodePng(changed(17, 5)));    // no such colour type
  EXPECT_FALSE(DecodePng(changed(16, 4)));    // no 4-bit RGBA
  EXPECT_FALSE(DecodePng(changed(8, 0x7F)));  // two billion pixels wide: too large
  EXPECT_FALSE(DecodePng(changed(11, 0)));    // zero wide
  // Every byte of the compressed data flipped in turn: refused or decoded,
  // never a crash (the sanitizers watch).
  for (std::size_t at = 33; at < good.size() - 12; ++at) {
    std::vector<std::uint8_t> bytes = good;
    bytes[at] ^= 0x5A;
    const std::optional<PngPixels> pixels = DecodePng(bytes);
    if (pixels) {
      EXPECT_EQ(pixels->bgra.size(), 13u * 7u * 4u);
    }
  }
}

TEST(Inflate, LongOverlappingCopiesAndTheSizeLimit) {
  const std::vector<std::uint8_t> stream = Fixture("runs.zlib");
  const std::vector<std::uint8_t> raw = Fixture("runs.raw");
  EXPECT_EQ(InflateZlib(stream, raw.size()), raw);
  EXPECT_FALSE(InflateZlib(stream, raw.size() - 1));
  std::vector<std::uint8_t> badHeader = stream;
  badHeader[1] ^= 1;  // the header check fails
  EXPECT_FALSE(InflateZlib(badHeader, raw.size()));
  EXPECT_FALSE(InflateZlib({}, 10));
}

}  // namespace
}  // namespace vwi
