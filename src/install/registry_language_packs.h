// The item list's installed language packs, read from the product's registry key.
#pragma once

#include <string>

#include "context/existing_installation.h"
#include "install/install_items.h"
#include "platform/registry.h"

namespace vwi {

class RegistryLanguagePacks final : public IInstalledLanguagePacks {
 public:
  RegistryLanguagePacks(std::u16string registryPath, IRegistry& registry)
      : registryPath_(std::move(registryPath)), registry_(registry) {}
  std::vector<int32_t> InstalledLanguagePacks() override {
    return vwi::InstalledLanguagePacks(registryPath_, registry_);
  }

 private:
  std::u16string registryPath_;
  IRegistry& registry_;
};

}  // namespace vwi
