#include "xml/element_index.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace vwi {

int64_t ElementIndex::NextCapacity(int64_t capacity, int64_t wanted) {
  constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
  if (wanted > kLimit) wanted = kLimit;
  if (wanted <= capacity) return capacity;
  // The next segment boundary beyond the current capacity caps one step.
  const int64_t segments = (capacity + kSegmentSize - 1) / kSegmentSize;
  const int64_t cap = std::min<int64_t>((segments + 1) * kSegmentSize, kLimit);
  return std::min(wanted, cap);
}

bool ElementIndex::EnsureCapacity(int32_t wanted) {
  if (wanted <= capacity_) return true;
  return Reallocate(static_cast<int32_t>(NextCapacity(capacity_, wanted)));
}

bool ElementIndex::Grow() {
  const int64_t wanted = std::max<int64_t>(capacity_ + 1, capacity_ + capacity_ / 2);
  const int64_t next = NextCapacity(capacity_, wanted);
  if (next <= capacity_) return false;
  return Reallocate(static_cast<int32_t>(next));
}

bool ElementIndex::Reallocate(int32_t newCapacity) {
  const size_t oldSegments = (static_cast<size_t>(capacity_) + kSegmentSize - 1) >> kSegmentShift;
  const size_t newSegments = (static_cast<size_t>(newCapacity) + kSegmentSize - 1) >> kSegmentShift;
  const size_t lastUsed = capacity_ - (oldSegments ? (oldSegments - 1) << kSegmentShift : 0);
  // A partly filled last segment is copied into a larger block; full
  // segments stay where they are and new ones are added after them.
  const bool regrowLast = oldSegments && lastUsed < static_cast<size_t>(kSegmentSize);

  std::vector<std::unique_ptr<ElementRecord[]>> added;
  for (size_t s = regrowLast ? oldSegments - 1 : oldSegments; s < newSegments; ++s) {
    const size_t size = s + 1 < newSegments ? kSegmentSize : newCapacity - (s << kSegmentShift);
    std::unique_ptr<ElementRecord[]> block(new (std::nothrow) ElementRecord[size]);
    if (!block) return false;
    added.push_back(std::move(block));
  }
  if (regrowLast) {
    std::memcpy(added.front().get(), segments_.back().get(), lastUsed * sizeof(ElementRecord));
    segments_.pop_back();
  }
  for (auto& block : added) {
    if (segments_.size() == segments_.capacity()) segments_.reserve(2 * segments_.size() + 4);
    segments_.push_back(std::move(block));
  }
  capacity_ = newCapacity;
  return true;
}

int32_t ElementIndex::OverflowStartTag(int32_t i) const {
  auto it = overflow_.find(i);
  return it != overflow_.end() ? it->second.startTag : static_cast<int32_t>(kMaxStartTagField);
}

int32_t ElementIndex::OverflowEndTag(int32_t i) const {
  auto it = overflow_.find(i);
  return it != overflow_.end() ? it->second.endTag : static_cast<int32_t>(kMaxEndTagField);
}

void ElementIndex::SetOverflowingTagLengths(int32_t i, int32_t startTag, int32_t endTag) {
  const uint32_t s = std::min<uint32_t>(static_cast<uint32_t>(startTag), kMaxStartTagField);
  const uint32_t e = std::min<uint32_t>(static_cast<uint32_t>(endTag), kMaxEndTagField);
  (*this)[i].tagLengths = s | (e << 22);
  if (s == kMaxStartTagField || e == kMaxEndTagField) {
    overflow_[i] = Overflow{startTag, endTag};
  } else {
    overflow_.erase(i);
  }
}

}  // namespace vwi
