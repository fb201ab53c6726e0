// SetText on arbitrary UTF-16 text (the bytes taken as little-endian units,
// or, when the first byte is odd, as UTF-8), then a walk of every element.
#include <cstddef>
#include <cstdint>

#include "fuzz_walk.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::u16string text;
  if (data[0] & 1) {
    text = vwi::Utf16FromUtf8(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  } else {
    for (size_t i = 1; i + 1 < size; i += 2)
      text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  vwi::XmlDocument doc;
  doc.SetText(text);
  vwi::WalkDocument(doc);
  // Results stop once the log passes 999 units; the last one may carry a
  // tag name of any length (encoded, at most six units per character).
  vwi::Check(doc.resultLog().size() <= 1100 + 6 * text.size());
  return 0;
}
