#include "platform/memory_registry.h"

namespace vwi {

// There is no system registry off Windows: the native build gets an empty
// in-memory one, so probes find nothing installed.
IRegistry& SystemRegistry() {
  static MemoryRegistry registry;
  return registry;
}

}  // namespace vwi
