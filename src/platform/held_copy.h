// Copying a held file into a held folder: the bytes are read through the
// source's hold, so the file copied is the file that was held.
#pragma once

#include <string_view>

#include "platform/held_folder.h"

namespace vwi {

// A copy of `source` as the file `name` of `folder` (one there is replaced),
// held from the end of the copy. A copy that fails is removed.
FileHold CopyInto(IHeldFile& source, IHeldFolder& folder, std::u16string_view name);

}  // namespace vwi
