#include <windows.h>
#include <msi.h>

#include "context/installed_products.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

class WinInstalledProducts final : public IInstalledProducts {
 public:
  uint32_t QueryVersionString(const std::u16string& productCode, std::u16string& version) override {
    wchar_t buffer[260] = {};
    DWORD size = 260;
    const UINT result =
        MsiGetProductInfoW(Wide(productCode), INSTALLPROPERTY_VERSIONSTRING, buffer, &size);
    if (result == ERROR_SUCCESS) {
      buffer[259] = L'\0';
      version = FromWide(buffer);
    }
    return result;
  }
};

}  // namespace

IInstalledProducts& SystemInstalledProducts() {
  static WinInstalledProducts products;
  return products;
}

}  // namespace vwi
