#include "platform/win/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(Wide, TextReachesTheApiUnchanged) {
  const std::u16string text = u"Gr\u00fc\u00dfe";
  EXPECT_EQ(lstrlenW(Wide(text)), 5);
  EXPECT_EQ(FromWide(Wide(text)), text);
}

}  // namespace
}  // namespace vwi
