// Language files read with the Windows profile functions.
#pragma once

#include "localisation/ini_reader.h"

namespace vwi {

class WinIniReader final : public IIniReader {
 public:
  std::u16string ReadString(const std::u16string& path, std::u16string_view section,
                            std::u16string_view key, std::u16string_view fallback) const override;
};

}  // namespace vwi
