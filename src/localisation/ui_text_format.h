// Filling the printf-style placeholders of catalogue texts. Translations are
// data from outside, so every placeholder is checked against the argument it
// takes: a text whose placeholders do not fit the arguments is never filled
// with the wrong data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "localisation/ui_string_catalogue.h"

namespace vwi {

// One argument: a text (for "%s") or a number (for "%d", "%i", "%u").
class FormatArg {
 public:
  FormatArg(std::u16string_view text) : isText_(true), text_(text) {}           // NOLINT: implicit
  FormatArg(const std::u16string& text) : isText_(true), text_(text) {}         // NOLINT: implicit
  FormatArg(const char16_t* text) : isText_(true), text_(text ? text : u"") {}  // NOLINT
  template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
  FormatArg(T number) : isText_(false), number_(static_cast<int64_t>(number)) {}  // NOLINT

  bool isText() const { return isText_; }
  std::u16string_view text() const { return text_; }
  int64_t number() const { return number_; }

 private:
  bool isText_;
  std::u16string_view text_;
  int64_t number_ = 0;
};

// Fills `pattern`'s placeholders, in order, with `args`. Understood: "%%" and
// "%" [flags "-+ 0#"] [width] ["." precision] ["l"] one of "s", "d", "i", "u";
// widths and precisions up to 259. Nothing when a placeholder is malformed,
// unknown, takes an argument of the other kind, or has no argument left.
// Arguments beyond the placeholders are ignored.
std::optional<std::u16string> FormatUiText(std::u16string_view pattern,
                                           std::initializer_list<FormatArg> args);

// `text`, a translation of `key`, with its placeholders filled; when they do
// not fit `args`, the key's built-in default is filled instead (and
// returned unfilled should even that not fit).
std::u16string FormatTranslation(std::u16string_view text, const StringKey& key,
                                 std::initializer_list<FormatArg> args);

// The text of `key` in the current language with its placeholders filled;
// when the translation's placeholders do not fit `args`, the built-in default
// is filled instead (and returned unfilled should even that not fit).
std::u16string FormatUiString(const UiStringCatalogue& strings, const StringKey& key,
                              std::initializer_list<FormatArg> args);

}  // namespace vwi
