#include "platform/held_copy.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vwi {

FileHold CopyInto(IHeldFile& source, IHeldFolder& folder, std::u16string_view name) {
  folder.Remove(name);
  std::unique_ptr<INewFile> copy = folder.MakeFile(name);
  if (!copy) return {nullptr, HoldRefusal::Busy};
  std::vector<uint8_t> buffer(1 << 16);
  for (uint64_t offset = 0;;) {
    const std::optional<size_t> read = source.ReadAt(offset, buffer.data(), buffer.size());
    if (!read || (*read > 0 && !copy->WriteAt(offset, buffer.data(), *read))) {
      copy.reset();
      folder.Remove(name);
      return {nullptr, HoldRefusal::Busy};
    }
    if (*read == 0) break;
    offset += *read;
  }
  std::unique_ptr<IHeldFile> held = copy->Hold();
  const HoldRefusal refusal = held ? HoldRefusal::None : HoldRefusal::Busy;
  return {std::move(held), refusal};
}

}  // namespace vwi
