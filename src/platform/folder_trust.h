// Whether a folder that existed before this run may hold an elevated run's
// work: one that anybody but the system and the Administrators could change
// would let them swap what the run installs.
#pragma once

#include <string_view>

#include "platform/held_folder.h"

namespace vwi {

enum class FolderTrust {
  Trusted,
  Link,  // a junction, symbolic link or mount point
  NotAFolder,
  Unreadable,       // its security descriptor could not be read
  UntrustedOwner,   // owned by someone else than the system or the Administrators
  OthersMayChange,  // someone else may write, add, delete or re-secure it
};

// The verdict on a folder's facts. `descriptorsKept` is false where the file
// system does not keep the descriptor this run sets on a folder of its own
// (no access lists at all, or one made up from other permissions): there a
// descriptor proves nothing either way, and only the kind is checked.
FolderTrust JudgeFolder(const FolderFacts& facts, bool descriptorsKept);

// Whether a folder this run has just made came back with the owner it was
// given: the evidence that the file system keeps descriptors.
bool KeepsDescriptors(const FolderFacts& madeByThisRun);

// The verdict as the log names it.
std::u16string_view FolderTrustText(FolderTrust trust);

}  // namespace vwi
