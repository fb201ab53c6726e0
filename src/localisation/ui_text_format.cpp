#include "localisation/ui_text_format.h"

#include "platform/text.h"

namespace vwi {
namespace {

constexpr int kFieldLimit = 259;

struct Placeholder {
  bool leftAlign = false;
  bool plusSign = false;
  bool spaceSign = false;
  bool zeroPad = false;
  int width = 0;
  int precision = -1;
  char16_t conversion = 0;
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Reads a decimal field of at most three digits; false when it exceeds the limit.
bool ReadField(std::u16string_view pattern, size_t& i, int& value) {
  value = 0;
  while (i < pattern.size() && IsDigit(pattern[i])) {
    value = value * 10 + (pattern[i++] - u'0');
    if (value > kFieldLimit) return false;
  }
  return true;
}

// Parses the placeholder after a "%" at pattern[i]; advances past it.
std::optional<Placeholder> ParsePlaceholder(std::u16string_view pattern, size_t& i) {
  Placeholder placeholder;
  for (; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    if (c == u'-') {
      placeholder.leftAlign = true;
    } else if (c == u'+') {
      placeholder.plusSign = true;
    } else if (c == u' ') {
      placeholder.spaceSign = true;
    } else if (c == u'0') {
      placeholder.zeroPad = true;
    } else if (c != u'#') {
      break;
    }
  }
  if (!ReadField(pattern, i, placeholder.width)) return std::nullopt;
  if (i < pattern.size() && pattern[i] == u'.') {
    ++i;
    if (!ReadField(pattern, i, placeholder.precision)) return std::nullopt;
  }
  if (i < pattern.size() && pattern[i] == u'l') ++i;
  if (i >= pattern.size()) return std::nullopt;
  placeholder.conversion = pattern[i++];
  switch (placeholder.conversion) {
    case u's':
    case u'd':
    case u'i':
    case u'u':
      return placeholder;
    default:
      return std::nullopt;
  }
}

void Pad(std::u16string& out, std::u16string_view body, const Placeholder& placeholder,
         size_t signLength) {
  const size_t width = static_cast<size_t>(placeholder.width);
  if (body.size() >= width) {
    out += body;
  } else if (placeholder.leftAlign) {
    out += body;
    out.append(width - body.size(), u' ');
  } else if (placeholder.zeroPad && placeholder.conversion != u's' && placeholder.precision < 0) {
    out += body.substr(0, signLength);
    out.append(width - body.size(), u'0');
    out += body.substr(signLength);
  } else {
    out.append(width - body.size(), u' ');
    out += body;
  }
}

void AppendNumber(std::u16string& out, int64_t value, const Placeholder& placeholder) {
  std::u16string sign;
  uint64_t magnitude = 0;
  if (placeholder.conversion == u'u') {
    magnitude = static_cast<uint32_t>(value);
  } else {
    const auto number = static_cast<int32_t>(value);
    magnitude = number < 0 ? uint64_t(0) - static_cast<int64_t>(number) : uint64_t(number);
    if (number < 0) {
      sign = u"-";
    } else if (placeholder.plusSign) {
      sign = u"+";
    } else if (placeholder.spaceSign) {
      sign = u" ";
    }
  }
  std::u16string digits = magnitude == 0 && placeholder.precision == 0
                              ? std::u16string()
                              : DecimalText(static_cast<int64_t>(magnitude));
  if (placeholder.precision > 0 && digits.size() < static_cast<size_t>(placeholder.precision)) {
    digits.insert(0, static_cast<size_t>(placeholder.precision) - digits.size(), u'0');
  }
  Pad(out, sign + digits, placeholder, sign.size());
}

}  // namespace

std::optional<std::u16string> FormatUiText(std::u16string_view pattern,
                                           std::initializer_list<FormatArg> args) {
  std::u16string out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size();) {
    const char16_t c = pattern[i++];
    if (c != u'%') {
      out.push_back(c);
      continue;
    }
    if (i < pattern.size() && pattern[i] == u'%') {
      out.push_back(u'%');
      ++i;
      continue;
    }
    const auto placeholder = ParsePlaceholder(pattern, i);
    if (!placeholder || next == args.end()) return std::nullopt;
    const FormatArg& arg = *next++;
    if (placeholder->conversion == u's') {
      if (!arg.isText()) return std::nullopt;
      std::u16string_view text = arg.text();
      if (placeholder->precision >= 0)
        text = text.substr(0, static_cast<size_t>(placeholder->precision));
      Pad(out, text, *placeholder, 0);
    } else {
      if (arg.isText()) return std::nullopt;
      AppendNumber(out, arg.number(), *placeholder);
    }
  }
  return out;
}

std::u16string FormatTranslation(std::u16string_view text, const StringKey& key,
                                 std::initializer_list<FormatArg> args) {
  if (auto filled = FormatUiText(text, args)) return std::move(*filled);
  if (auto filled = FormatUiText(key.defaultText, args)) return std::move(*filled);
  return std::u16string(key.defaultText);
}

std::u16string FormatUiString(const UiStringCatalogue& strings, const StringKey& key,
                              std::initializer_list<FormatArg> args) {
  return FormatTranslation(strings.LookupUiString(key), key, args);
}

}  // namespace vwi
