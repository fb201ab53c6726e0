#include "context/component_path.h"

#include "platform/text.h"

namespace vwi {

std::u16string ComponentFileName(const InstallerContext& context, std::u16string_view name,
                                 uint32_t tick) {
  std::u16string file;
  if (!context.manifest.standalone) file = DecimalText(static_cast<int32_t>(tick));
  file += name;
  return file;
}

std::u16string ComponentPath(const InstallerContext& context, std::u16string_view name,
                             uint32_t tick) {
  return context.componentFolder + ComponentFileName(context, name, tick);
}

}  // namespace vwi
