#include "platform/win/unique_handle.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(UniqueHandle, ClosesOnceAndMovesOwnership) {
  UniqueHandleKernel event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.get();
  UniqueHandleKernel moved(std::move(event));
  EXPECT_FALSE(event);
  EXPECT_EQ(moved.get(), raw);
  moved.reset();
  EXPECT_FALSE(moved);
  // The handle was closed: waiting on it fails.
  EXPECT_EQ(WaitForSingleObject(raw, 0), WAIT_FAILED);
}

TEST(UniqueHandle, FileUsesInvalidHandleValue) {
  UniqueFile file(
      CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(file);
}

TEST(UniqueHandle, GdiObjectIsDeleted) {
  UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
  ASSERT_TRUE(brush);
  const HBRUSH raw = brush.get();
  brush.reset();
  EXPECT_EQ(GetObjectType(raw), 0u);
}

}  // namespace
}  // namespace vwi
