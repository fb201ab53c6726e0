#include "localisation/portable_ini_reader.h"

#include "platform/file_queries.h"
#include "platform/text.h"

namespace vwi {
namespace {

// Language files are small; anything larger is not one.
constexpr size_t kIniFileLimit = 16 * 1024 * 1024;

// Windows-1252 for the bytes 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return text;
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One pair of matching enclosing quotes (double or single) is dropped.
std::u16string_view Unquote(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::u16string DecodeIniText(std::string_view bytes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (starts("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (starts("\xEF\xBB\xBF")) return Utf16FromUtf8(bytes.substr(3));
  std::u16string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    text.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return text;
}

std::optional<std::u16string> FindIniValue(std::u16string_view text, std::u16string_view section,
                                           std::u16string_view key) {
  section = Trim(section);
  key = Trim(key);
  // Lines before the first section header form a section without a name.
  bool inSection = section.empty();
  bool sectionSeen = inSection;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find(u'\n', begin);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view line = Trim(text.substr(begin, end - begin));
    begin = end + 1;
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      const size_t close = line.rfind(u']');
      if (close == std::u16string_view::npos) continue;
      // Only the first section of that name is consulted.
      if (sectionSeen) return std::nullopt;
      inSection = EqualsIgnoreAsciiCase(Trim(line.substr(1, close - 1)), section);
      sectionSeen = inSection;
      continue;
    }
    if (!inSection) continue;
    const size_t equals = line.find(u'=');
    const std::u16string_view name = Trim(line.substr(0, equals));
    if (!EqualsIgnoreAsciiCase(name, key)) continue;
    if (equals == std::u16string_view::npos) return std::nullopt;
    return std::u16string(Unquote(Trim(line.substr(equals + 1))));
  }
  return std::nullopt;
}

std::u16string PortableIniReader::ReadString(const std::u16string& path,
                                             std::u16string_view section, std::u16string_view key,
                                             std::u16string_view fallback) const {
  std::u16string value(fallback);
  if (const auto bytes = ReadFileBytes(path, kIniFileLimit)) {
    if (auto found = FindIniValue(DecodeIniText(*bytes), section, key)) value = std::move(*found);
  }
  // The value ends at its first NUL, as text read into a C buffer does.
  value.resize(std::min(value.find(u'\0'), value.size()));
  if (value.size() > kIniValueLimit) value.resize(kIniValueLimit);
  return value;
}

}  // namespace vwi
