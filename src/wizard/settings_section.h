// The collapsible settings section of the settings panel: which controls
// collapse with it, and where the keyboard goes when it collapses, so that
// nothing out of sight can hold the focus or be reached with Tab.
#pragma once

#include <array>

#include "res/resource_ids.h"

namespace vwi {

// The rows shown while the section is expanded (the language and file
// association rows stay hidden either way).
inline constexpr std::array<int, 3> kSettingsSectionRows = {IDC_FOLDER_LABEL, IDC_FOLDER_EDIT,
                                                            IDC_BROWSE};

// The control that is to have the focus once the section collapsed, when
// `focusedId` had it: the expander in place of a row of the section; the
// same control otherwise.
int FocusAfterCollapse(int focusedId);

}  // namespace vwi
