#include "install/installer_progress.h"

#include <algorithm>
#include <limits>

#include "platform/text.h"

namespace vwi {
namespace {

// Splits off the next token up to a space; skips leading spaces.
std::u16string_view NextToken(std::u16string_view& text) {
  const size_t start = text.find_first_not_of(u' ');
  if (start == std::u16string_view::npos) {
    text = {};
    return {};
  }
  text.remove_prefix(start);
  const size_t end = std::min(text.find(u' '), text.size());
  const std::u16string_view token = text.substr(0, end);
  text.remove_prefix(end);
  return token;
}

// "N:" gives N, anything else 0.
int32_t FieldNumber(std::u16string_view token) {
  if (token.size() != 2 || token[1] != u':' || token[0] < u'0' || token[0] > u'9') return 0;
  return token[0] - u'0';
}

// Where reading stops for a progress type.
int32_t LastField(int32_t type) {
  if (type == 2 || type == 3) return 2;
  if (type == 1) return 3;
  return 4;
}

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::optional<ProgressMessage> ParseProgressMessage(std::u16string_view text) {
  ProgressMessage message;
  bool haveType = false;
  while (true) {
    const std::u16string_view label = NextToken(text);
    if (label.empty()) break;
    const int32_t field = FieldNumber(label);
    if (field < 1 || field > 4) return std::nullopt;
    const std::u16string_view value = NextToken(text);
    if (field == 1) {
      if (value.size() != 1 || value[0] < u'0' || value[0] > u'9') return std::nullopt;
      message.type = value[0] - u'0';
      haveType = true;
    } else {
      (field == 2   ? message.field2
       : field == 3 ? message.field3
                    : message.field4) = ParseLenientInt(value);
    }
    if (haveType && field >= LastField(message.type)) break;
  }
  if (!haveType) return std::nullopt;
  return message;
}

std::optional<int32_t> PackageProgress::Apply(const ProgressMessage& message) {
  switch (message.type) {
    case 0:
      totalTicks = message.field2;
      forward = message.field3 == 0;
      position = forward ? 0 : totalTicks;
      basePercent = maxPercent;
      return std::nullopt;
    case 1:
      if (message.field3 != 0) return Advance(message.field2);
      return std::nullopt;
    case 2:
      return Advance(message.field2);
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> PackageProgress::Advance(int32_t ticks) {
  position = Saturate(static_cast<int64_t>(position) + (forward ? ticks : -int64_t{ticks}));
  if (totalTicks == 0) return std::nullopt;
  const float share = static_cast<float>(position) / static_cast<float>(totalTicks) *
                      static_cast<float>(100 - basePercent);
  // A package whose ticks overrun the announced total (or run below zero)
  // must not push the item past 100 % or below its phase's start: the bar
  // would jump into the next item's share and then fall back.
  const float clamped = std::clamp(share, 0.0f, static_cast<float>(100 - basePercent));
  const int32_t percent = basePercent + static_cast<int32_t>(clamped);
  maxPercent = std::max(maxPercent, percent);
  return maxPercent;
}

}  // namespace vwi
