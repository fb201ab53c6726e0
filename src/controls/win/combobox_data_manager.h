// Per-item data of a skinned combo box: an icon per item index, and named
// entries. The icons are destroyed with the manager.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win/unique_handle.h"

namespace vwi {

// Moves but never copies: the icons are held by move-only handles.
class CComboboxDataManager {
 public:
  // Takes ownership of `icon` for item `index`.
  void SetItemIcon(int index, HICON icon);
  // The icon of item `index`, or null.
  HICON IconOf(int index) const;
  bool Empty() const { return icons_.empty(); }

  std::vector<std::u16string> names;

 private:
  std::map<int, UniqueIcon> icons_;
};

}  // namespace vwi
