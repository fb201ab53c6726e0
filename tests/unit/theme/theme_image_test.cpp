#include <gtest/gtest.h>

#include <vector>

#include "theme/image_cache.h"
#include "theme/image_wrapper.h"

namespace vwi {
namespace {

TEST(ThemeImage, PremultipliesEveryPixel) {
  std::vector<std::uint8_t> pixels = {
      255, 255, 255, 128,  // white at half alpha
      200, 100, 50,  0,    // transparent
      10,  20,  30,  255,  // opaque
      255, 0,   127, 1,    // nearly transparent: rounded down
      9,   9,              // partial trailing pixel: untouched
  };
  PremultiplyBgra(pixels);
  const std::vector<std::uint8_t> expected = {128, 128, 128, 128, 0, 0, 0, 0, 10,
                                              20,  30,  255, 1,   0, 0, 1, 9, 9};
  EXPECT_EQ(pixels, expected);
}

TEST(ThemeImage, StripFrameSizes) {
  EXPECT_EQ(StripFrameSize(42, 14, 3, 1), (Size{14, 14}));
  EXPECT_EQ(StripFrameSize(16, 48, 3, 0), (Size{16, 16}));
  EXPECT_EQ(StripFrameSize(16, 16, 1, 1), (Size{16, 16}));
  EXPECT_EQ(StripFrameSize(16, 16, 0, 1), (Size{16, 16}));
}

class FakePngSource : public IPngSource {
 public:
  std::optional<std::span<const std::uint8_t>> FindPng(std::uint16_t id) override {
    lookups.push_back(id);
    if (id == kMissing) return std::nullopt;
    return std::span<const std::uint8_t>(bytes);
  }
  std::shared_ptr<CImageWrapper> Decode(std::span<const std::uint8_t>) override {
    ++decodes;
    if (outOfMemory) return nullptr;
    if (failDecode) return std::make_shared<CImageWrapper>();
    auto image = std::make_shared<CImageWrapper>(nullptr, 16, 16);
    image->frameCount = 7;  // the cache sets the loaders' 1 and 1
    image->horizontalFrames = 0;
    return image;
  }

  static constexpr std::uint16_t kMissing = 999;
  std::vector<std::uint8_t> bytes = {1, 2, 3};
  std::vector<std::uint16_t> lookups;
  int decodes = 0;
  bool failDecode = false;
  bool outOfMemory = false;
};

TEST(ThemeImageCache, SecondLoadReturnsTheSameImageWithoutDecoding) {
  ImageCache cache;
  FakePngSource source;
  const auto first = cache.Load(106, source);
  const auto second = cache.Load(106, source);
  ASSERT_TRUE(first);
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(source.decodes, 1);
  EXPECT_EQ(source.lookups.size(), 1u);
  EXPECT_EQ(first->width, 16);
  EXPECT_EQ(first->frameCount, 1);
  EXPECT_EQ(first->horizontalFrames, 1);
}

TEST(ThemeImageCache, MissingResourceIsNotCachedAndLookedUpAgain) {
  ImageCache cache;
  FakePngSource source;
  EXPECT_EQ(cache.Load(FakePngSource::kMissing, source), nullptr);
  EXPECT_EQ(cache.Load(FakePngSource::kMissing, source), nullptr);
  EXPECT_EQ(source.lookups.size(), 2u);
  EXPECT_EQ(source.decodes, 0);
  EXPECT_EQ(cache.size(), 0u);
}

TEST(ThemeImageCache, DecodeFailureIsCachedAsEmptyImage) {
  ImageCache cache;
  FakePngSource source;
  source.failDecode = true;
  const auto first = cache.Load(110, source);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->bitmap, nullptr);
  EXPECT_EQ(first->width, 0);
  EXPECT_EQ(first->height, 0);
  EXPECT_EQ(cache.Load(110, source).get(), first.get());
  EXPECT_EQ(source.decodes, 1);
}

TEST(ThemeImageCache, MemoryRunningOutGivesNothingAndCachesNothing) {
  ImageCache cache;
  FakePngSource source;
  source.outOfMemory = true;
  EXPECT_EQ(cache.Load(111, source), nullptr);
  EXPECT_EQ(cache.size(), 0u);
  source.outOfMemory = false;  // memory came back: the next load decodes
  const auto image = cache.Load(111, source);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16);
  EXPECT_EQ(source.decodes, 2);
}

TEST(ThemeImageCache, KeyIsTheFullIdButTheResourceIsItsLowBits) {
  ImageCache cache;
  FakePngSource source;
  const auto low = cache.Load(106, source);
  const auto high = cache.Load(0x10000u + 106, source);
  EXPECT_NE(low.get(), high.get());
  EXPECT_EQ(source.lookups, (std::vector<std::uint16_t>{106, 106}));
}

}  // namespace
}  // namespace vwi
