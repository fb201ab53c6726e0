#include "localisation/win/win_ini_reader.h"

#include <windows.h>

#include "platform/win/wide.h"

namespace vwi {

std::u16string WinIniReader::ReadString(const std::u16string& path, std::u16string_view section,
                                        std::u16string_view key,
                                        std::u16string_view fallback) const {
  wchar_t buffer[kIniValueLimit + 1] = {};
  const std::wstring sectionName = ToWide(section);
  const std::wstring keyName = ToWide(key);
  const std::wstring fallbackText = ToWide(fallback);
  GetPrivateProfileStringW(sectionName.c_str(), keyName.c_str(), fallbackText.c_str(), buffer,
                           kIniValueLimit + 1, Wide(path));
  buffer[kIniValueLimit] = L'\0';
  return FromWide(buffer);
}

const IIniReader& SystemIniReader() {
  static const WinIniReader reader;
  return reader;
}

}  // namespace vwi
