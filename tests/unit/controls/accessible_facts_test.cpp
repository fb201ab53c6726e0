#include "controls/accessible_facts.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

using namespace accessible_state;

constexpr AccessibleWindow kShownTabStop{true, true, false};

TEST(AccessibleFacts, AGreyButtonIsUnavailableAndOffersNothing) {
  AccessibleFacts grey;
  grey.available = false;
  // It still takes the focus: the keyboard reaches it on its way to the box.
  EXPECT_EQ(AccessibleState(grey, {true, true, true}), kUnavailable | kFocusable | kFocused);
  EXPECT_EQ(DefaultAction(grey, kShownTabStop), u"");
  EXPECT_EQ(DefaultAction(AccessibleFacts{}, kShownTabStop), u"Press");
}

TEST(AccessibleFacts, ACheckBoxReportsItsMarkAndTheActionThatTogglesIt) {
  AccessibleFacts box{.role = AccessibleRole::kCheckBox};
  EXPECT_EQ(AccessibleState(box, kShownTabStop), kFocusable);
  EXPECT_EQ(DefaultAction(box, kShownTabStop), u"Check");
  box.checked = true;
  EXPECT_EQ(AccessibleState(box, kShownTabStop), kChecked | kFocusable);
  EXPECT_EQ(DefaultAction(box, kShownTabStop), u"Uncheck");
  // Only a check box can be checked.
  EXPECT_EQ(AccessibleState({.checked = true}, kShownTabStop), kFocusable);
}

TEST(AccessibleFacts, AnExpanderReportsWhetherItsSectionShows) {
  EXPECT_EQ(AccessibleState({.expanded = true}, kShownTabStop), kExpanded | kFocusable);
  EXPECT_EQ(DefaultAction({.expanded = true}, kShownTabStop), u"Collapse");
  EXPECT_EQ(AccessibleState({.expanded = false}, kShownTabStop), kCollapsed | kFocusable);
  EXPECT_EQ(DefaultAction({.expanded = false}, kShownTabStop), u"Expand");
}

TEST(AccessibleFacts, LinksProgressBarsAndPicturesHaveTheirOwnMarksAndActions) {
  const AccessibleFacts link{.role = AccessibleRole::kLink};
  EXPECT_EQ(AccessibleState(link, kShownTabStop), kLinked | kFocusable);
  EXPECT_EQ(DefaultAction(link, kShownTabStop), u"Jump");
  const AccessibleFacts bar{.role = AccessibleRole::kProgressBar};
  EXPECT_EQ(AccessibleState(bar, {true, false, false}), kReadOnly);
  EXPECT_EQ(DefaultAction(bar, kShownTabStop), u"");
  EXPECT_EQ(DefaultAction({.role = AccessibleRole::kGraphic}, kShownTabStop), u"Click");
}

TEST(AccessibleFacts, AHiddenControlIsInvisibleAndCannotBeActivated) {
  const AccessibleWindow hidden{false, true, false};
  // Out of sight is out of reach: not focusable either.
  EXPECT_EQ(AccessibleState(AccessibleFacts{}, hidden), kInvisible);
  EXPECT_EQ(DefaultAction(AccessibleFacts{}, hidden), u"");
}

TEST(AccessibleFacts, TheProgressValueIsAWholePercentageOfTheRange) {
  EXPECT_EQ(ProgressValue(0, 1000), u"0%");
  EXPECT_EQ(ProgressValue(456, 1000), u"45%");
  EXPECT_EQ(ProgressValue(1000, 1000), u"100%");
  // Out of range or no range: never below 0 or above 100.
  EXPECT_EQ(ProgressValue(1500, 1000), u"100%");
  EXPECT_EQ(ProgressValue(-5, 1000), u"0%");
  EXPECT_EQ(ProgressValue(5, 0), u"0%");
  EXPECT_EQ(ProgressValue(2'000'000'000, 2'000'000'000), u"100%");
}

}  // namespace
}  // namespace vwi
