// What the Windows Installer knows about installed products, behind an
// interface so native tests can stand in for it.
#pragma once

#include <cstdint>
#include <string>

namespace vwi {

// Windows Installer results the probes tell apart.
inline constexpr uint32_t kInstallerUnknownProduct = 1605;  // ERROR_UNKNOWN_PRODUCT
inline constexpr uint32_t kInstallerMoreData = 234;         // ERROR_MORE_DATA
inline constexpr uint32_t kInstallerBadParameter = 87;      // ERROR_INVALID_PARAMETER

class IInstalledProducts {
 public:
  virtual ~IInstalledProducts() = default;
  // The product's "VersionString" read into a buffer of 260 characters: 0
  // with `version` set, or the installer's error (1605 when the product is
  // not installed, 234 when the text does not fit, 87 for a malformed code).
  virtual uint32_t QueryVersionString(const std::u16string& productCode,
                                      std::u16string& version) = 0;
};

// msi.dll in the Windows build; off Windows nothing is ever installed.
IInstalledProducts& SystemInstalledProducts();

}  // namespace vwi
