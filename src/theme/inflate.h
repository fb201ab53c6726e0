// The deflate format's decompressor (as used inside PNG's zlib stream), for
// the program's own pictures: no library is loaded to read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vwi {

// The data of a zlib stream (two header bytes, deflate blocks, a checksum
// that is not checked). Nothing when the stream is malformed or its data
// would exceed `limit` bytes.
std::optional<std::vector<std::uint8_t>> InflateZlib(std::span<const std::uint8_t> stream,
                                                     std::size_t limit);

}  // namespace vwi
