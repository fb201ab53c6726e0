#include "controls/accessible_facts.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/text.h"

namespace vwi {

uint32_t AccessibleState(const AccessibleFacts& facts, const AccessibleWindow& window) {
  using namespace accessible_state;
  uint32_t state = 0;
  if (!facts.available) state |= kUnavailable;
  if (!window.visible) state |= kInvisible;
  // A grey button still takes the focus: the keyboard reaches it, as it
  // reaches the check box that would make it available.
  if (window.tabStop && window.visible) state |= kFocusable;
  if (window.focused) state |= kFocused;
  if (facts.role == AccessibleRole::kCheckBox && facts.checked) state |= kChecked;
  if (facts.expanded) state |= *facts.expanded ? kExpanded : kCollapsed;
  if (facts.role == AccessibleRole::kLink) state |= kLinked;
  if (facts.role == AccessibleRole::kProgressBar) state |= kReadOnly;
  return state;
}

std::u16string DefaultAction(const AccessibleFacts& facts, const AccessibleWindow& window) {
  if (!facts.available || !window.visible) return u"";
  if (facts.expanded) return *facts.expanded ? u"Collapse" : u"Expand";
  switch (facts.role) {
    case AccessibleRole::kPushButton:
      return u"Press";
    case AccessibleRole::kCheckBox:
      return facts.checked ? u"Uncheck" : u"Check";
    case AccessibleRole::kLink:
      return u"Jump";
    case AccessibleRole::kGraphic:
      return u"Click";
    case AccessibleRole::kProgressBar:
      break;
  }
  return u"";
}

std::u16string ProgressValue(int position, int range) {
  const int percent =
      range > 0 ? std::clamp(static_cast<int>(int64_t{position} * 100 / range), 0, 100) : 0;
  return Utf16FromUtf8(std::to_string(percent) + "%");
}

}  // namespace vwi
