// An INI reader of our own, for platforms without the Windows profile
// functions. It reads language files as GetPrivateProfileStringW does: files
// in UTF-16 (with a byte-order mark), UTF-8 with a byte-order mark, or the
// ANSI code page (taken as Windows-1252); names compared without regard to
// case; the first matching section and, in it, the first matching key.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "localisation/ini_reader.h"

namespace vwi {

// The file's bytes as UTF-16 text, by its byte-order mark.
std::u16string DecodeIniText(std::string_view bytes);

// The raw value of `key` in `section` (trimmed, quotes dropped, not cut), or
// nothing when the section or key is missing or the key has no "=".
std::optional<std::u16string> FindIniValue(std::u16string_view text, std::u16string_view section,
                                           std::u16string_view key);

class PortableIniReader final : public IIniReader {
 public:
  std::u16string ReadString(const std::u16string& path, std::u16string_view section,
                            std::u16string_view key, std::u16string_view fallback) const override;
};

}  // namespace vwi
