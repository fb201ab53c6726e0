// One request as the run's log records it: what was asked, what the server
// answered, how much came and how long it took.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vwi {

struct RequestRecord {
  std::u16string_view kind;  // "GET file", "GET stream", "size query"
  std::u16string_view url;
  std::optional<uint32_t> status;  // the HTTP status; none when no answer came
  uint64_t bytes = 0;              // body bytes received (the announced size for a size query)
  uint32_t milliseconds = 0;
  bool succeeded = false;
  std::u16string failure;  // the failed step, when one is named
};

// "Request GET file http://host/a.msi: status 200, 1234 bytes, 56 ms, ok".
std::u16string RequestLogEntry(const RequestRecord& record);

}  // namespace vwi
