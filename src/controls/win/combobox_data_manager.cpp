#include "controls/win/combobox_data_manager.h"

namespace vwi {

CComboboxDataManager::~CComboboxDataManager() {
  for (auto& [index, data] : items_) {
    if (data.icon) DestroyIcon(data.icon);
  }
}

void CComboboxDataManager::SetItemIcon(int index, HICON icon) {
  ITEMDATA_VS& data = items_[index];
  if (data.icon && data.icon != icon) DestroyIcon(data.icon);
  data.icon = icon;
}

HICON CComboboxDataManager::IconOf(int index) const {
  const auto it = items_.find(index);
  return it == items_.end() ? nullptr : it->second.icon;
}

}  // namespace vwi
