// The result log: compact XML elements naming what a load or parse found,
// e.g. <lone_end_tag tagname="b" offset="17"/>.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vwi {

struct ResultEntry {
  explicit ResultEntry(std::u16string_view k) : key(k) {}
  ResultEntry(std::u16string_view k, std::u16string_view tn, std::u16string_view tv,
              std::u16string_view nn = {}, int64_t n = 0)
      : key(k), textName(tn), textValue(tv), numberName(nn), number(n) {}

  std::u16string_view key;
  std::u16string_view textName;  // "type", "encoding", "msg" or "tagname"; empty for none
  std::u16string_view textValue;
  std::u16string_view numberName;  // "n", "count", "length" or "offset"; empty for none
  int64_t number = 0;
  std::optional<int64_t> offset2;
};

// Longest log that still takes another result; later results are dropped so
// that a hostile document cannot grow the log without bound.
constexpr size_t kResultLogLimit = 999;

// Appends <key .../> to `log` while it is at most kResultLogLimit units long.
void RecordResult(std::u16string& log, const ResultEntry& entry);

// Sets an attribute on the first result with that key, if there is one.
void UpdateResult(std::u16string& log, std::u16string_view key, std::u16string_view name,
                  std::u16string_view value);

}  // namespace vwi
