#include "download/request_log.h"

#include "platform/text.h"
#include "platform/web_address.h"

namespace vwi {

std::u16string RequestLogEntry(const RequestRecord& record) {
  std::u16string entry =
      u"Request " + std::u16string(record.kind) + u" " + WithoutCredentials(record.url) + u": ";
  entry += record.status ? u"status " + DecimalText(*record.status) : u"no answer";
  entry += u", " + DecimalText(static_cast<int64_t>(record.bytes)) + u" bytes, " +
           DecimalText(record.milliseconds) + u" ms, ";
  entry += record.succeeded ? u"ok" : u"failed";
  if (!record.succeeded && !record.failure.empty()) {
    entry += u" (" + record.failure + u")";
  }
  return entry;
}

}  // namespace vwi
