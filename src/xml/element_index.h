// The flat index of a document's elements: fixed-size records in segments.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vwi {

// One element, eight 32-bit words. Offsets and lengths count UTF-16 units.
struct ElementRecord {
  int32_t start = 0;           // offset of the '<' of the start tag
  int32_t length = 0;          // start tag to end of end tag (start tag only when empty/unended)
  uint32_t tagLengths = 0;     // start-tag length (low 22 bits), end-tag length (high 10 bits)
  uint32_t levelAndFlags = 0;  // depth (low 16 bits) and the flags below
  int32_t parent = 0;
  int32_t firstChild = 0;
  int32_t next = 0;
  int32_t prev = 0;  // for the first child: the last child of the same parent
};
static_assert(sizeof(ElementRecord) == 32);

namespace element_flags {
constexpr uint32_t kLevelMask = 0xFFFF;
constexpr uint32_t kFirstChild = 0x80000;
constexpr uint32_t kUnended = 0x100000;
constexpr uint32_t kErrorInside = 0x200000;
constexpr uint32_t kIllFormed = 0x800000;  // record 0 only
}  // namespace element_flags

// Widths of the packed tag-length fields. A length that does not fit is kept
// exactly in an overflow table and the field holds its maximum as a marker.
constexpr uint32_t kMaxStartTagField = 0x3FFFFF;  // 4,194,303
constexpr uint32_t kMaxEndTagField = 0x3FF;       // 1,023
constexpr uint32_t kMaxLevelField = 0xFFFF;       // deeper levels saturate here

// Records numbered from 0, stored in segments of 65,536 so that growth never
// copies more than one segment.
class ElementIndex {
 public:
  static constexpr int32_t kSegmentShift = 16;
  static constexpr int32_t kSegmentSize = 1 << kSegmentShift;

  ElementIndex() = default;
  ElementIndex(const ElementIndex&) = delete;
  ElementIndex& operator=(const ElementIndex&) = delete;

  int32_t capacity() const { return capacity_; }

  // Grows the capacity towards `wanted` records, never by more than one new
  // segment in one step. Returns false when the capacity cannot grow (the
  // 32-bit limit, or memory); the index is then unchanged.
  bool EnsureCapacity(int32_t wanted);

  // Grows to 1.5 times the capacity (at least by one record).
  bool Grow();

  // Records below capacity() only.
  ElementRecord& operator[](int32_t i) {
    return segments_[static_cast<size_t>(i) >> kSegmentShift][i & (kSegmentSize - 1)];
  }
  const ElementRecord& operator[](int32_t i) const {
    return segments_[static_cast<size_t>(i) >> kSegmentShift][i & (kSegmentSize - 1)];
  }

  // Exact tag lengths, whatever the field widths.
  int32_t StartTagLength(int32_t i) const {
    const uint32_t field = (*this)[i].tagLengths & kMaxStartTagField;
    return field < kMaxStartTagField ? static_cast<int32_t>(field) : OverflowStartTag(i);
  }
  int32_t EndTagLength(int32_t i) const {
    const uint32_t field = (*this)[i].tagLengths >> 22;
    return field < kMaxEndTagField ? static_cast<int32_t>(field) : OverflowEndTag(i);
  }
  void SetTagLengths(int32_t i, int32_t startTag, int32_t endTag) {
    const uint32_t s = static_cast<uint32_t>(startTag);
    const uint32_t e = static_cast<uint32_t>(endTag);
    if (s < kMaxStartTagField && e < kMaxEndTagField && overflow_.empty()) {
      (*this)[i].tagLengths = s | (e << 22);
    } else {
      SetOverflowingTagLengths(i, startTag, endTag);
    }
  }

  // Forgets the overflow lengths (a new parse); capacity stays.
  void ClearOverflow() { overflow_.clear(); }

  // The capacity that one growth step towards `wanted` reaches from `capacity`
  // (exposed for tests of the limits).
  static int64_t NextCapacity(int64_t capacity, int64_t wanted);

 private:
  struct Overflow {
    int32_t startTag = 0;
    int32_t endTag = 0;
  };
  bool Reallocate(int32_t newCapacity);
  int32_t OverflowStartTag(int32_t i) const;
  int32_t OverflowEndTag(int32_t i) const;
  void SetOverflowingTagLengths(int32_t i, int32_t startTag, int32_t endTag);

  std::vector<std::unique_ptr<ElementRecord[]>> segments_;
  int32_t capacity_ = 0;
  // Only tags too long for their fields; each costs at least 1,024 units of text.
  std::unordered_map<int32_t, Overflow> overflow_;
};

}  // namespace vwi
