#include "context/component_path.h"

#include "platform/text.h"

namespace vwi {

std::u16string ComponentPath(const InstallerContext& context, std::u16string_view name,
                             uint32_t tick) {
  std::u16string path = context.componentFolder;
  if (!context.manifest.standalone) path += DecimalText(static_cast<int32_t>(tick));
  path += name;
  return path;
}

}  // namespace vwi
