#include "controls/win/combobox_data_manager.h"

namespace vwi {

void CComboboxDataManager::SetItemIcon(int index, HICON icon) {
  UniqueIcon& owned = icons_[index];
  if (owned.get() != icon) owned.reset(icon);
}

HICON CComboboxDataManager::IconOf(int index) const {
  const auto it = icons_.find(index);
  return it == icons_.end() ? nullptr : it->second.get();
}

}  // namespace vwi
