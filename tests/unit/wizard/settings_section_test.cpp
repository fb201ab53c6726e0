#include "wizard/settings_section.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(SettingsSection, CollapsingMovesTheFocusOutOfTheSectionToTheExpander) {
  EXPECT_EQ(FocusAfterCollapse(IDC_FOLDER_EDIT), IDC_SETTINGS_EXPANDER);
  EXPECT_EQ(FocusAfterCollapse(IDC_BROWSE), IDC_SETTINGS_EXPANDER);
  // Focus elsewhere stays where it is.
  EXPECT_EQ(FocusAfterCollapse(IDC_INSTALL), IDC_INSTALL);
  EXPECT_EQ(FocusAfterCollapse(IDC_SETTINGS_EXPANDER), IDC_SETTINGS_EXPANDER);
  EXPECT_EQ(FocusAfterCollapse(0), 0);
}

}  // namespace
}  // namespace vwi
