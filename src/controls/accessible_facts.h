// What a skinned control tells assistive technology (screen readers,
// magnifiers, voice control): its role, name, value and state, in the terms
// of the platform's accessibility interface. The controls draw themselves,
// so the platform cannot see that a box is a check box or a bar a progress
// bar; each control states it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vwi {

// The roles the controls take; the values are the platform's role numbers.
enum class AccessibleRole : int32_t {
  kLink = 0x1E,
  kGraphic = 0x28,
  kPushButton = 0x2B,
  kCheckBox = 0x2C,
  kProgressBar = 0x30,
};

// The platform's state bits that the controls use.
namespace accessible_state {
inline constexpr uint32_t kUnavailable = 0x1;
inline constexpr uint32_t kFocused = 0x4;
inline constexpr uint32_t kChecked = 0x10;
inline constexpr uint32_t kReadOnly = 0x40;
inline constexpr uint32_t kExpanded = 0x200;
inline constexpr uint32_t kCollapsed = 0x400;
inline constexpr uint32_t kInvisible = 0x8000;
inline constexpr uint32_t kFocusable = 0x100000;
inline constexpr uint32_t kLinked = 0x400000;
}  // namespace accessible_state

// What the control is and holds, as its owner knows it.
struct AccessibleFacts {
  AccessibleRole role = AccessibleRole::kPushButton;
  std::u16string name{};           // empty: the window text names it
  std::u16string value{};          // a progress bar's percentage
  bool available = true;           // false: drawn grey, and it cannot be activated
  bool checked = false;            // check boxes
  std::optional<bool> expanded{};  // an expander: whether its section shows

  bool operator==(const AccessibleFacts&) const = default;
};

// What the control's window says of itself.
struct AccessibleWindow {
  bool visible = true;
  bool tabStop = false;
  bool focused = false;
};

// The control's state bits.
uint32_t AccessibleState(const AccessibleFacts& facts, const AccessibleWindow& window);

// The name of what activating the control does ("Press", "Check", ...), or
// empty when it cannot be activated now.
std::u16string DefaultAction(const AccessibleFacts& facts, const AccessibleWindow& window);

// A progress bar's value, as a whole percentage of its range ("45%").
std::u16string ProgressValue(int position, int range);

}  // namespace vwi
