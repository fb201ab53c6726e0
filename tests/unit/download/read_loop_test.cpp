#include "download/read_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <utility>
#include <vector>

namespace vwi {
namespace {

// A body delivered in the given read sizes, then end of data.
class FakeBody : public IBodySource {
 public:
  explicit FakeBody(std::vector<uint32_t> reads) : reads_(reads.begin(), reads.end()) {}
  bool QueryAvailable(uint32_t& available) override {
    ++queries;
    if (failQueryAt && queries == failQueryAt) return false;
    available = reads_.empty() ? 0 : reads_.front();
    return true;
  }
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override {
    if (failRead) return false;
    read = std::min(size, reads_.front());
    for (uint32_t i = 0; i < read; ++i) buffer[i] = static_cast<uint8_t>(offset_ + i);
    offset_ += read;
    reads_.front() -= read;
    if (reads_.front() == 0) reads_.pop_front();
    ++readCalls;
    return true;
  }
  uint32_t LastError() override { return 12002; }

  int queries = 0;
  int readCalls = 0;
  int failQueryAt = 0;
  bool failRead = false;

 private:
  std::deque<uint32_t> reads_;
  uint64_t offset_ = 0;
};

struct Write {
  uint64_t offset;
  size_t size;
  bool operator==(const Write&) const = default;
};

class FakeSink : public IBatchSink {
 public:
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    if (failWrites) return false;
    writes.push_back({offset, size});
    if (bytes.size() < offset + size) bytes.resize(offset + size);
    std::copy(data, data + size, bytes.begin() + static_cast<ptrdiff_t>(offset));
    return true;
  }
  uint32_t LastError() override { return 112; }
  std::vector<Write> writes;
  std::vector<uint8_t> bytes;
  bool failWrites = false;
};

struct FakeCancel : ICancelRequest {
  bool IsCancelled() const override { return cancelled; }
  bool IsPaused() const override { return paused; }
  bool cancelled = false;
  bool paused = false;
};

struct Recorder : IDownloadCallback {
  void OnDownloadStatus(const DownloadStatusInfo& info) override {
    received.push_back(info.received);
    if (onReport) onReport(received.size());
  }
  std::vector<uint64_t> received;
  std::function<void(size_t)> onReport;
};

struct ReadLoop : ::testing::Test {
  LoopEnd Run(FakeBody& body, int64_t expected) {
    return RunReadLoop(cancel, body, sink, recorder, info, expected, [this] { ++waits; });
  }
  FakeCancel cancel;
  FakeSink sink;
  Recorder recorder;
  DownloadStatusInfo info;
  int waits = 0;
};

bool BytesAreTheBody(const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != static_cast<uint8_t>(i)) return false;
  }
  return true;
}

TEST_F(ReadLoop, BodyOf40961BytesIsWrittenInOneBatchAndOneByte) {
  std::vector<uint32_t> reads(10, 4096);
  reads.push_back(1);
  FakeBody body(reads);
  EXPECT_EQ(Run(body, 40961), LoopEnd::Complete);
  EXPECT_EQ(sink.writes, (std::vector<Write>{{0, 40960}, {40960, 1}}));
  EXPECT_EQ(sink.bytes.size(), 40961u);
  EXPECT_TRUE(BytesAreTheBody(sink.bytes));
  EXPECT_EQ(recorder.received.size(), 11u);
  EXPECT_EQ(recorder.received.back(), 40961u);
  EXPECT_EQ(info.state, DownloadState::Downloading);
  EXPECT_EQ(info.error, 0u);
  EXPECT_EQ(info.message, u"");
}

TEST_F(ReadLoop, BodyEndingOnAFullChunkKeepsItsLastBytes) {
  FakeBody body({4096, 4096});
  EXPECT_EQ(Run(body, 8192), LoopEnd::Complete);
  EXPECT_EQ(sink.writes, (std::vector<Write>{{0, 8192}}));
  EXPECT_TRUE(BytesAreTheBody(sink.bytes));
}

TEST_F(ReadLoop, ShortReadsAreWrittenAtOnceAtIncreasingOffsets) {
  // 10,000 available at first: read as 4096 + 4096 + 1808, then 100.
  FakeBody body({10000, 100});
  EXPECT_EQ(Run(body, -1), LoopEnd::Complete);
  EXPECT_EQ(sink.writes, (std::vector<Write>{{0, 10000}, {10000, 100}}));
  EXPECT_EQ(sink.bytes.size(), 10100u);
  EXPECT_TRUE(BytesAreTheBody(sink.bytes));
}

TEST_F(ReadLoop, AResumedBodyIsWrittenAfterTheKeptBytesAndCountedFromThem) {
  info.received = 100000;
  FakeBody body({4096, 4096, 10});
  EXPECT_EQ(Run(body, 100000 + 8202), LoopEnd::Complete);
  EXPECT_EQ(sink.writes, (std::vector<Write>{{100000, 8202}}));
  EXPECT_EQ(recorder.received.front(), 104096u);
  EXPECT_EQ(info.received, 108202u);
  // The length counts the kept bytes: the body alone is short of it.
  info.received = 100000;
  FakeBody shortBody({4096});
  EXPECT_EQ(Run(shortBody, 100000 + 8192), LoopEnd::Truncated);
}

TEST_F(ReadLoop, ShortBodyIsTruncatedNotComplete) {
  FakeBody body({4096, 1000});
  EXPECT_EQ(Run(body, 100000), LoopEnd::Truncated);
  EXPECT_EQ(info.error, kErrorConnectionAborted);
  EXPECT_EQ(info.message, u"Internet download file Failed");
  // What arrived is on disk; the caller decides what to do with the file.
  EXPECT_EQ(sink.bytes.size(), 5096u);
  FakeBody longer({5000});
  info = {};
  EXPECT_EQ(Run(longer, 10), LoopEnd::Truncated);
}

TEST_F(ReadLoop, ReadAndQueryFailuresEndTheLoopWithTheirError) {
  FakeBody body({4096, 4096});
  body.failQueryAt = 2;
  EXPECT_EQ(Run(body, 8192), LoopEnd::ReadFailed);
  EXPECT_EQ(info.error, 12002u);
  EXPECT_EQ(info.message, u"Internet download file Failed");
  // The one chunk read was still in the batch: nothing written.
  EXPECT_TRUE(sink.writes.empty());
  FakeBody failing({4096});
  failing.failRead = true;
  info = {};
  EXPECT_EQ(Run(failing, 4096), LoopEnd::ReadFailed);
  EXPECT_EQ(info.error, 12002u);
}

TEST_F(ReadLoop, WriteFailureEndsTheLoopAtOnce) {
  FakeBody body({100, 100});
  sink.failWrites = true;
  EXPECT_EQ(Run(body, 200), LoopEnd::WriteFailed);
  EXPECT_EQ(info.error, 112u);
  EXPECT_EQ(info.message, u"Write data to local file failed.");
  EXPECT_EQ(body.readCalls, 1);
}

TEST_F(ReadLoop, CancelEndsBeforeTheNextReadAndDropsTheBatch) {
  FakeBody body(std::vector<uint32_t>(20, 4096));
  recorder.onReport = [this](size_t n) {
    if (n == 3) cancel.cancelled = true;
  };
  EXPECT_EQ(Run(body, 20 * 4096), LoopEnd::Cancelled);
  EXPECT_EQ(body.readCalls, 3);
  EXPECT_TRUE(sink.writes.empty());
  EXPECT_EQ(info.error, 0u);
}

TEST_F(ReadLoop, PauseReadsNothingUntilReleased) {
  FakeBody body({100, 100});
  recorder.onReport = [this](size_t n) {
    if (n == 1) cancel.paused = true;
  };
  int seen = 0;
  auto wait = [&] {
    ++seen;
    EXPECT_EQ(body.readCalls, 1);
    if (seen == 5) cancel.paused = false;
  };
  EXPECT_EQ(RunReadLoop(cancel, body, sink, recorder, info, 200, wait), LoopEnd::Complete);
  EXPECT_EQ(seen, 5);
  EXPECT_EQ(sink.bytes.size(), 200u);
  // A cancel during the pause ends the transfer.
  FakeBody again({100, 100});
  cancel = {};
  recorder.onReport = [this](size_t) { cancel.paused = true; };
  int waitsBeforeCancel = 0;
  auto cancelWhilePaused = [&] {
    if (++waitsBeforeCancel == 3) cancel.cancelled = true;
  };
  EXPECT_EQ(RunReadLoop(cancel, again, sink, recorder, info, 200, cancelWhilePaused),
            LoopEnd::Cancelled);
  EXPECT_EQ(again.readCalls, 1);
}

}  // namespace
}  // namespace vwi
