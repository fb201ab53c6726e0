// The item list's prerequisite probe, answered from the registry.
#pragma once

#include "context/registry.h"
#include "download/install_items.h"
#include "install/prerequisite_probes.h"

namespace vwi {

class RegistryPrerequisiteProbe final : public IPrerequisiteProbe {
 public:
  explicit RegistryPrerequisiteProbe(IRegistry& registry) : registry_(registry) {}
  bool IsPrerequisiteSatisfied(const std::u16string& fileName) override {
    return vwi::IsPrerequisiteSatisfied(fileName, registry_);
  }

 private:
  IRegistry& registry_;
};

}  // namespace vwi
