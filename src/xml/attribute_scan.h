// Finds an attribute in a start tag.
#pragma once

#include <cstdint>
#include <string_view>

namespace vwi {

struct AttributeSpan {
  bool found = false;
  int32_t valueStart = 0;  // the value without its quotes
  int32_t valueEnd = 0;
  int32_t spanStart = 0;  // the value with its quotes
  int32_t spanEnd = 0;
  int32_t insertAt = 0;  // after the name or the last attribute, before "/>" or ">"
};

// `tag` is a whole start tag from its '<'; offsets are relative to it.
// Tokens are separated by whitespace; a token is a quoted value or a run up
// to '=', whitespace, '>', '/' or '?'. Values are quoted with either quote,
// or unquoted up to whitespace or '>'. Names compare exactly, or without
// regard to ASCII case when `ignoreCase` is set.
AttributeSpan FindAttribute(std::u16string_view tag, std::u16string_view name, bool ignoreCase);

}  // namespace vwi
