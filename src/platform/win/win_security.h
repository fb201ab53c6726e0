// The security descriptor of the folders an elevated run works in, and the
// reading of a folder's owner and access list into portable facts.
#pragma once

#include <windows.h>

#include "platform/held_folder.h"

namespace vwi {

// Owned by the Administrators; the Administrators and the system may do
// anything, signed-in users may read and run. Protected: nothing is inherited
// from the folder above. Freed with its owner.
class ProtectedDescriptor {
 public:
  ProtectedDescriptor();
  ~ProtectedDescriptor();
  ProtectedDescriptor(const ProtectedDescriptor&) = delete;
  ProtectedDescriptor& operator=(const ProtectedDescriptor&) = delete;
  // Null when the descriptor could not be built.
  PSECURITY_DESCRIPTOR get() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

// Fills the owner and access entries of `facts` from the object behind
// `handle` (opened with READ_CONTROL); leaves the owner empty when the
// descriptor cannot be read.
void ReadSecurity(HANDLE handle, FolderFacts& facts);

}  // namespace vwi
