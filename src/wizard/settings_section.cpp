#include "wizard/settings_section.h"

#include <algorithm>

namespace vwi {

int FocusAfterCollapse(int focusedId) {
  const bool inSection = std::find(kSettingsSectionRows.begin(), kSettingsSectionRows.end(),
                                   focusedId) != kSettingsSectionRows.end();
  return inSection ? IDC_SETTINGS_EXPANDER : focusedId;
}

}  // namespace vwi
