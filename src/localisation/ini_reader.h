// Reading one value of one section of a language file (a Windows INI file).
#pragma once

#include <string>
#include <string_view>

namespace vwi {

// Language-file values are read into a buffer of 260 characters: a longer
// value is cut to 259.
inline constexpr size_t kIniValueLimit = 259;

class IIniReader {
 public:
  virtual ~IIniReader() = default;
  // The value of `key` in `section` of the file at `path`, or `fallback` when
  // the file, the section or the key is missing. Section and key names
  // compare without regard to case; the value is trimmed, one pair of
  // enclosing quotation marks is dropped, and it is cut to kIniValueLimit.
  virtual std::u16string ReadString(const std::u16string& path, std::u16string_view section,
                                    std::u16string_view key,
                                    std::u16string_view fallback) const = 0;
};

// The platform's reader: GetPrivateProfileStringW on Windows, the portable
// reader elsewhere.
const IIniReader& SystemIniReader();

}  // namespace vwi
