#include "xml/text_converter.h"

#include <limits>
#include <new>

#include "xml/charset_table.h"

namespace vwi {

int64_t ConversionBufferSize(int64_t units) { return units + units / 100; }

std::u16string Utf16FromUtf32Le(const char* bytes, int32_t count) {
  std::u16string out;
  const int32_t units = count / 4;
  out.reserve(units);
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  for (int32_t i = 0; i < units; ++i) {
    const uint32_t u = b[4 * i] | (b[4 * i + 1] << 8) | (b[4 * i + 2] << 16) |
                       (static_cast<uint32_t>(b[4 * i + 3]) << 24);
    if (u < 0x10000) {
      out.push_back(static_cast<char16_t>(u));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 | (((u - 0x10000) >> 10) & 0x3FF)));
      out.push_back(static_cast<char16_t>(0xDC00 | (u & 0x3FF)));
    }
  }
  return out;
}

void ConvertToUtf16(std::u16string_view encoding, const char* bytes, int32_t count,
                    ICodePageConverter& converter, std::u16string& out) {
  out.clear();
  int32_t codePage = LookupCodePage(encoding);
  if (codePage == kCodePageUtf32Own) {
    out = Utf16FromUtf32Le(bytes, count);
    return;
  }
  if (codePage < 0) codePage = 0;
  if (count <= 0) return;
  const int32_t units =
      converter.ToUtf16(static_cast<uint32_t>(codePage), bytes, count, nullptr, 0);
  if (units <= 0) return;
  const int64_t size = ConversionBufferSize(units);
  if (size > std::numeric_limits<int32_t>::max()) return;
  // Converted straight into the text, then cut to what was written.
  try {
    out.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    out.clear();
    return;
  }
  const int32_t written = converter.ToUtf16(static_cast<uint32_t>(codePage), bytes, count,
                                            out.data(), static_cast<int32_t>(size));
  out.resize(written > 0 ? static_cast<size_t>(written) : 0);
}

}  // namespace vwi
