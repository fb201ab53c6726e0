#include "theme/png_decoder.h"

#include <array>
#include <cstdlib>

#include "theme/inflate.h"

namespace vwi {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;
  int colourType = 0;
  int channels = 0;
};

// The channels of a colour type, or 0 for an unknown one.
int Channels(int colourType) {
  switch (colourType) {
    case 0:
    case 3:
      return 1;
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 0;
  }
}

bool IsAllowedDepth(int colourType, int depth) {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default:
      return depth == 8 || depth == 16;
  }
}

// The chunks that matter, gathered in one pass.
struct Chunks {
  Header header;
  std::vector<std::uint8_t> palette;       // PLTE: red, green, blue triples
  std::vector<std::uint8_t> transparency;  // tRNS as it is stored
  std::vector<std::uint8_t> data;          // the IDAT chunks joined
};

std::optional<Chunks> ReadChunks(std::span<const std::uint8_t> png) {
  if (png.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), png.begin())) {
    return std::nullopt;
  }
  Chunks chunks;
  bool sawHeader = false;
  for (std::size_t at = kSignature.size();;) {
    if (png.size() - at < 12) return std::nullopt;  // no IEND
    const std::uint32_t length = BigEndian32(&png[at]);
    if (length > png.size() - at - 12) return std::nullopt;
    const std::span<const std::uint8_t> type = png.subspan(at + 4, 4);
    const std::span<const std::uint8_t> body = png.subspan(at + 8, length);
    at += 12 + length;
    auto is = [&](const char* name) { return std::equal(type.begin(), type.end(), name); };
    if (is("IHDR")) {
      if (length != 13) return std::nullopt;
      Header& h = chunks.header;
      h.width = BigEndian32(&body[0]);
      h.height = BigEndian32(&body[4]);
      h.depth = body[8];
      h.colourType = body[9];
      h.channels = Channels(h.colourType);
      // Compression and filter method 0, no interlacing.
      if (body[10] != 0 || body[11] != 0 || body[12] != 0) return std::nullopt;
      sawHeader = true;
    } else if (!sawHeader) {
      return std::nullopt;  // IHDR comes first
    } else if (is("PLTE")) {
      chunks.palette.assign(body.begin(), body.end());
    } else if (is("tRNS")) {
      chunks.transparency.assign(body.begin(), body.end());
    } else if (is("IDAT")) {
      chunks.data.insert(chunks.data.end(), body.begin(), body.end());
    } else if (is("IEND")) {
      return chunks;
    }
  }
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the filter of each row in place; `stride` bytes a row after its
// filter byte, `step` bytes a pixel (at least 1). False on an unknown filter.
bool Unfilter(std::vector<std::uint8_t>& data, std::size_t rows, std::size_t stride,
              std::size_t step) {
  const std::uint8_t* previous = nullptr;
  for (std::size_t row = 0; row < rows; ++row) {
    std::uint8_t* line = &data[row * (stride + 1)];
    const int filter = line[0];
    std::uint8_t* x = line + 1;
    for (std::size_t i = 0; i < stride; ++i) {
      const int a = i >= step ? x[i - step] : 0;
      const int b = previous ? previous[i] : 0;
      const int c = previous && i >= step ? previous[i - step] : 0;
      switch (filter) {
        case 0:
          break;
        case 1:
          x[i] = static_cast<std::uint8_t>(x[i] + a);
          break;
        case 2:
          x[i] = static_cast<std::uint8_t>(x[i] + b);
          break;
        case 3:
          x[i] = static_cast<std::uint8_t>(x[i] + (a + b) / 2);
          break;
        case 4:
          x[i] = static_cast<std::uint8_t>(x[i] + Paeth(a, b, c));
          break;
        default:
          return false;
      }
    }
    previous = x;
  }
  return true;
}

// The sample `index` of a row, as stored (1 to 16 bits).
unsigned Sample(const std::uint8_t* row, std::size_t index, int depth) {
  if (depth == 8) return row[index];
  if (depth == 16) return (row[index * 2] << 8) | row[index * 2 + 1];
  const std::size_t bit = index * depth;
  const unsigned byte = row[bit / 8];
  return (byte >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

// A sample brought to 8 bits.
std::uint8_t Scaled(unsigned sample, int depth) {
  if (depth == 16) return static_cast<std::uint8_t>(sample >> 8);
  return static_cast<std::uint8_t>(sample * 255 / ((1u << depth) - 1));
}

struct Converter {
  const Chunks& chunks;

  // Writes one pixel (blue, green, red, alpha) from the row's samples.
  bool Pixel(const std::uint8_t* row, std::size_t x, std::uint8_t* out) const {
    const Header& h = chunks.header;
    const std::size_t first = x * h.channels;
    auto sample = [&](int channel) { return Sample(row, first + channel, h.depth); };
    auto scaled = [&](int channel) { return Scaled(sample(channel), h.depth); };
    const auto& trns = chunks.transparency;
    // The 16-bit value a colour channel is transparent at (tRNS for grey and RGB).
    auto key = [&](int channel) {
      return static_cast<unsigned>((trns[channel * 2] << 8) | trns[channel * 2 + 1]);
    };
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    switch (h.colourType) {
      case 0: {
        r = g = b = scaled(0);
        if (trns.size() >= 2 && sample(0) == key(0)) a = 0;
        break;
      }
      case 2: {
        r = scaled(0);
        g = scaled(1);
        b = scaled(2);
        if (trns.size() >= 6 && sample(0) == key(0) && sample(1) == key(1) && sample(2) == key(2)) {
          a = 0;
        }
        break;
      }
      case 3: {
        const unsigned index = sample(0);
        if (index * 3 + 2 >= chunks.palette.size()) return false;
        r = chunks.palette[index * 3];
        g = chunks.palette[index * 3 + 1];
        b = chunks.palette[index * 3 + 2];
        if (index < trns.size()) a = trns[index];
        break;
      }
      case 4:
        r = g = b = scaled(0);
        a = scaled(1);
        break;
      default:
        r = scaled(0);
        g = scaled(1);
        b = scaled(2);
        a = scaled(3);
        break;
    }
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = a;
    return true;
  }
};

}  // namespace

std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> png) {
  const std::optional<Chunks> chunks = ReadChunks(png);
  if (!chunks) return std::nullopt;
  const Header& h = chunks->header;
  if (h.channels == 0 || !IsAllowedDepth(h.colourType, h.depth) || h.width == 0 || h.height == 0 ||
      static_cast<std::uint64_t>(h.width) * h.height > kMaxPngPixels) {
    return std::nullopt;
  }
  const std::size_t bitsPerPixel = static_cast<std::size_t>(h.channels) * h.depth;
  const std::size_t stride = (h.width * bitsPerPixel + 7) / 8;
  const std::size_t expected = (stride + 1) * h.height;
  std::optional<std::vector<std::uint8_t>> data = InflateZlib(chunks->data, expected);
  if (!data || data->size() != expected) return std::nullopt;
  if (!Unfilter(*data, h.height, stride, (bitsPerPixel + 7) / 8)) return std::nullopt;

  PngPixels pixels;
  pixels.width = static_cast<int>(h.width);
  pixels.height = static_cast<int>(h.height);
  pixels.bgra.resize(static_cast<std::size_t>(h.width) * h.height * 4);
  const Converter converter{*chunks};
  for (std::size_t y = 0; y < h.height; ++y) {
    const std::uint8_t* row = &(*data)[y * (stride + 1) + 1];
    for (std::size_t x = 0; x < h.width; ++x) {
      if (!converter.Pixel(row, x, &pixels.bgra[(y * h.width + x) * 4])) return std::nullopt;
    }
  }
  return pixels;
}

}  // namespace vwi
