#include "theme/inflate.h"

#include <array>

namespace vwi {

namespace {

constexpr int kMaxBits = 15;

// Reads bits least significant first, as deflate packs them.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> data) : data_(data) {}
  // Nothing once the data ran out.
  std::optional<std::uint32_t> Bits(int count) {
    while (have_ < count) {
      if (at_ >= data_.size()) return std::nullopt;
      buffer_ |= static_cast<std::uint32_t>(data_[at_++]) << have_;
      have_ += 8;
    }
    const std::uint32_t value = buffer_ & ((1u << count) - 1);
    buffer_ >>= count;
    have_ -= count;
    return value;
  }
  // Drops the bits left in the current byte (before a stored block).
  void AlignToByte() {
    buffer_ = 0;
    have_ = 0;
  }
  std::optional<std::span<const std::uint8_t>> Bytes(std::size_t count) {
    if (data_.size() - at_ < count) return std::nullopt;
    const auto bytes = data_.subspan(at_, count);
    at_ += count;
    return bytes;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
  std::uint32_t buffer_ = 0;
  int have_ = 0;
};

// A canonical Huffman code, decoded a bit at a time (the pictures are small).
class Huffman {
 public:
  // False when the lengths do not make a usable code.
  bool Build(std::span<const std::uint8_t> lengths) {
    counts_.fill(0);
    for (const std::uint8_t length : lengths) ++counts_[length];
    counts_[0] = 0;
    int left = 1;
    for (int bits = 1; bits <= kMaxBits; ++bits) {
      left = left * 2 - counts_[bits];
      if (left < 0) return false;  // over-subscribed
    }
    std::array<std::uint16_t, kMaxBits + 1> offsets{};
    for (int bits = 1; bits < kMaxBits; ++bits) offsets[bits + 1] = offsets[bits] + counts_[bits];
    symbols_.assign(lengths.size(), 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
      if (lengths[symbol] != 0)
        symbols_[offsets[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
    }
    return true;
  }
  std::optional<int> Decode(BitReader& in) const {
    int code = 0;
    int first = 0;
    int index = 0;
    for (int bits = 1; bits <= kMaxBits; ++bits) {
      const auto bit = in.Bits(1);
      if (!bit) return std::nullopt;
      code |= static_cast<int>(*bit);
      const int count = counts_[bits];
      if (code - count < first) return symbols_[index + (code - first)];
      index += count;
      first = (first + count) << 1;
      code <<= 1;
    }
    return std::nullopt;  // no such code
  }

 private:
  std::array<std::uint16_t, kMaxBits + 1> counts_{};
  std::vector<std::uint16_t> symbols_;
};

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
 public:
  Inflater(std::span<const std::uint8_t> data, std::size_t limit) : in_(data), limit_(limit) {}

  bool Run() {
    for (;;) {
      const auto last = in_.Bits(1);
      const auto type = in_.Bits(2);
      if (!last || !type) return false;
      bool ok = false;
      switch (*type) {
        case 0:
          ok = Stored();
          break;
        case 1:
          ok = FixedBlock();
          break;
        case 2:
          ok = DynamicBlock();
          break;
        default:
          return false;
      }
      if (!ok) return false;
      if (*last) return true;
    }
  }
  std::vector<std::uint8_t> out;

 private:
  bool Stored() {
    in_.AlignToByte();
    const auto header = in_.Bytes(4);
    if (!header) return false;
    const unsigned length = (*header)[0] | ((*header)[1] << 8);
    const unsigned complement = (*header)[2] | ((*header)[3] << 8);
    if ((length ^ 0xFFFFu) != complement) return false;
    const auto bytes = in_.Bytes(length);
    if (!bytes || out.size() + length > limit_) return false;
    out.insert(out.end(), bytes->begin(), bytes->end());
    return true;
  }

  bool FixedBlock() {
    std::array<std::uint8_t, 288> literal{};
    for (int i = 0; i < 288; ++i) literal[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    std::array<std::uint8_t, 30> distance{};
    distance.fill(5);
    Huffman lengths, distances;
    return lengths.Build(literal) && distances.Build(distance) && Codes(lengths, distances);
  }

  bool DynamicBlock() {
    const auto literals = in_.Bits(5);
    const auto distanceCount = in_.Bits(5);
    const auto codeCount = in_.Bits(4);
    if (!literals || !distanceCount || !codeCount) return false;
    const unsigned nlen = *literals + 257;
    const unsigned ndist = *distanceCount + 1;
    if (nlen > 286 || ndist > 30) return false;
    static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                            11, 4,  12, 3, 13, 2, 14, 1, 15};
    std::array<std::uint8_t, 19> codeLengths{};
    for (unsigned i = 0; i < *codeCount + 4; ++i) {
      const auto bits = in_.Bits(3);
      if (!bits) return false;
      codeLengths[kOrder[i]] = static_cast<std::uint8_t>(*bits);
    }
    Huffman code;
    if (!code.Build(codeLengths)) return false;
    std::vector<std::uint8_t> lengths;
    while (lengths.size() < nlen + ndist) {
      const auto symbol = code.Decode(in_);
      if (!symbol) return false;
      if (*symbol < 16) {
        lengths.push_back(static_cast<std::uint8_t>(*symbol));
        continue;
      }
      std::uint8_t value = 0;
      std::optional<std::uint32_t> repeat;
      if (*symbol == 16) {
        if (lengths.empty()) return false;
        value = lengths.back();
        repeat = in_.Bits(2);
        if (repeat) *repeat += 3;
      } else if (*symbol == 17) {
        repeat = in_.Bits(3);
        if (repeat) *repeat += 3;
      } else {
        repeat = in_.Bits(7);
        if (repeat) *repeat += 11;
      }
      if (!repeat || lengths.size() + *repeat > nlen + ndist) return false;
      lengths.insert(lengths.end(), *repeat, value);
    }
    if (lengths[256] == 0) return false;  // no end of block
    Huffman literal, distance;
    return literal.Build(std::span(lengths).first(nlen)) &&
           distance.Build(std::span(lengths).subspan(nlen)) && Codes(literal, distance);
  }

  bool Codes(const Huffman& literal, const Huffman& distance) {
    for (;;) {
      const auto symbol = literal.Decode(in_);
      if (!symbol) return false;
      if (*symbol < 256) {
        if (out.size() >= limit_) return false;
        out.push_back(static_cast<std::uint8_t>(*symbol));
        continue;
      }
      if (*symbol == 256) return true;
      const int index = *symbol - 257;
      if (index >= 29) return false;
      const auto lengthExtra = in_.Bits(kLengthExtra[index]);
      const auto distanceSymbol = distance.Decode(in_);
      if (!lengthExtra || !distanceSymbol || *distanceSymbol >= 30) return false;
      const auto distanceExtra = in_.Bits(kDistanceExtra[*distanceSymbol]);
      if (!distanceExtra) return false;
      const std::size_t length = kLengthBase[index] + *lengthExtra;
      const std::size_t back = kDistanceBase[*distanceSymbol] + *distanceExtra;
      if (back > out.size() || out.size() + length > limit_) return false;
      // Byte by byte: a copy may overlap what it writes.
      for (std::size_t i = 0; i < length; ++i) out.push_back(out[out.size() - back]);
    }
  }

  BitReader in_;
  std::size_t limit_;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> InflateZlib(std::span<const std::uint8_t> stream,
                                                     std::size_t limit) {
  // Method 8 (deflate), a window up to 32 KiB, no preset dictionary, and a
  // header that passes its own check.
  if (stream.size() < 2 || (stream[0] & 0x0F) != 8 || (stream[0] >> 4) > 7 ||
      (stream[1] & 0x20) != 0 || ((stream[0] << 8) | stream[1]) % 31 != 0) {
    return std::nullopt;
  }
  Inflater inflater(stream.subspan(2), limit);
  if (!inflater.Run()) return std::nullopt;
  return std::move(inflater.out);
}

}  // namespace vwi
