// Code-page conversion with MultiByteToWideChar (flags 0: invalid bytes are
// replaced by the system; code page 0 is the system's ANSI code page).
#include <windows.h>

#include "xml/xml_platform.h"

namespace vwi {
namespace {

class WinCodePageConverter final : public ICodePageConverter {
 public:
  int32_t ToUtf16(uint32_t codePage, const char* bytes, int32_t count, char16_t* out,
                  int32_t capacity) override {
    if (count <= 0) return 0;
    const int units = ::MultiByteToWideChar(codePage, 0, bytes, count,
                                            reinterpret_cast<wchar_t*>(out), out ? capacity : 0);
    return units > 0 ? units : 0;
  }
};

}  // namespace

ICodePageConverter& SystemCodePageConverter() {
  static WinCodePageConverter converter;
  return converter;
}

}  // namespace vwi
