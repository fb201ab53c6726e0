// The Windows registry behind the core's registry interface.
#pragma once

#include <windows.h>

#include "platform/registry.h"

namespace vwi {

class WinRegistry final : public IRegistry {
 public:
  std::unique_ptr<IRegistryKey> CreateKey(RegistryRoot root, std::u16string_view path,
                                          uint32_t access) override;
  std::unique_ptr<IRegistryKey> OpenKey(RegistryRoot root, std::u16string_view path,
                                        uint32_t access) override;
  int32_t DeleteTree(RegistryRoot root, std::u16string_view path, uint32_t view) override;

  static HKEY RootKey(RegistryRoot root);
};

}  // namespace vwi
