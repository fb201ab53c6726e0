#include "download/request_log.h"

#include <gtest/gtest.h>

namespace vwi {
namespace {

TEST(RequestLog, NamesTheAnswerSizeTimeAndResult) {
  RequestRecord record;
  record.kind = u"GET file";
  record.url = u"http://127.0.0.1/install/Vimzee.msi";
  record.status = 200;
  record.bytes = 525024;
  record.milliseconds = 87;
  record.succeeded = true;
  EXPECT_EQ(RequestLogEntry(record),
            u"Request GET file http://127.0.0.1/install/Vimzee.msi: status 200, 525024 bytes, 87 "
            u"ms, ok");

  record.status = 404;
  record.bytes = 0;
  record.succeeded = false;
  record.failure = u"Server refused the download.";
  EXPECT_EQ(RequestLogEntry(record),
            u"Request GET file http://127.0.0.1/install/Vimzee.msi: status 404, 0 bytes, 87 ms, "
            u"failed (Server refused the download.)");

  RequestRecord unanswered;
  unanswered.kind = u"GET stream";
  unanswered.url = u"http://127.0.0.1:9/version.xml";
  unanswered.milliseconds = 3;
  unanswered.failure = u"HttpSendRequest Failed.";
  EXPECT_EQ(RequestLogEntry(unanswered),
            u"Request GET stream http://127.0.0.1:9/version.xml: no answer, 0 bytes, 3 ms, failed "
            u"(HttpSendRequest Failed.)");
}

}  // namespace
}  // namespace vwi
