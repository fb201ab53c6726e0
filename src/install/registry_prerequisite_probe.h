// The item list's prerequisite probe, answered from the registry.
#pragma once

#include "install/install_items.h"
#include "install/prerequisite_probes.h"
#include "platform/registry.h"

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
