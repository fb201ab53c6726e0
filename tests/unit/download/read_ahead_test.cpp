#include "download/read_ahead.h"

#include <gtest/gtest.h>

#include <deque>
#include <thread>
#include <vector>

#include "unit/download/blocking_doubles.h"
#include "unit/download/test_clocks.h"

namespace vwi {
namespace {

using test::AtomicCancel;
using test::Gate;

// A body of numbered bytes that the network announces in the given pieces,
// then ends (or fails, when `failAtEnd`).
class Network : public IBodySource {
 public:
  explicit Network(std::vector<uint32_t> pieces, std::shared_ptr<Gate> gate = nullptr)
      : pieces_(pieces.begin(), pieces.end()), gate_(std::move(gate)) {}
  bool QueryAvailable(uint32_t& available) override {
    if (gate_) std::exchange(gate_, nullptr)->Pass();
    if (pieces_.empty() && failAtEnd) return false;
    available = pieces_.empty() ? 0 : pieces_.front();
    return true;
  }
  bool Read(uint8_t* buffer, uint32_t size, uint32_t& read) override {
    if (size > largestRead) largestRead = size;
    read = size < pieces_.front() ? size : pieces_.front();
    for (uint32_t i = 0; i < read; ++i) buffer[i] = Byte(offset_ + i);
    offset_ += read;
    if ((pieces_.front() -= read) == 0) pieces_.pop_front();
    return true;
  }
  uint32_t LastError() override { return 12030; }
  static uint8_t Byte(uint64_t at) { return static_cast<uint8_t>(at * 7 + at / 4096); }

  bool failAtEnd = false;
  std::atomic<uint32_t> largestRead{0};

 private:
  std::deque<uint32_t> pieces_;
  std::shared_ptr<Gate> gate_;
  uint64_t offset_ = 0;
};

struct Sink : IBatchSink {
  bool WriteAt(uint64_t offset, const uint8_t* data, size_t size) override {
    if (offset != bytes.size()) return false;
    bytes.insert(bytes.end(), data, data + size);
    return true;
  }
  uint32_t LastError() override { return 0; }
  std::vector<uint8_t> bytes;
};

struct Quiet : IDownloadCallback {
  void OnDownloadStatus(const DownloadStatusInfo&) override {}
};

struct ReadAheadLoop : ::testing::Test {
  LoopEnd Run(std::shared_ptr<Network> network, int64_t expected, uint32_t stallLimit = 30000) {
    ReadAhead body(std::move(network), cancel, kChunkSize, test::StallLimit(stallLimit));
    return RunReadLoop(cancel, body, sink, quiet, info, expected, {});
  }
  AtomicCancel cancel;
  Sink sink;
  Quiet quiet;
  DownloadStatusInfo info;
};

TEST_F(ReadAheadLoop, TheBodyArrivesWholeAndInOrderInPiecesOfTheReadSize) {
  // Four times the buffer, announced in odd pieces: the buffer wraps.
  std::vector<uint32_t> pieces;
  for (uint32_t total = 0; total < 4 * kReadAheadBytes; total += 8000) pieces.push_back(8000);
  const auto network = std::make_shared<Network>(pieces);
  const uint64_t size = 8000ull * pieces.size();
  EXPECT_EQ(Run(network, static_cast<int64_t>(size)), LoopEnd::Complete);
  ASSERT_EQ(sink.bytes.size(), size);
  for (uint64_t i = 0; i < size; ++i) ASSERT_EQ(sink.bytes[i], Network::Byte(i)) << i;
  EXPECT_LE(network->largestRead, kChunkSize);
}

TEST_F(ReadAheadLoop, BytesBeforeAFailureAreHandedOutThenTheFailure) {
  const auto network = std::make_shared<Network>(std::vector<uint32_t>{5000, 3000});
  network->failAtEnd = true;
  EXPECT_EQ(Run(network, 100000), LoopEnd::ReadFailed);
  EXPECT_EQ(info.received, 8000u);
  EXPECT_EQ(info.error, 12030u);
}

TEST_F(ReadAheadLoop, ASilentNetworkEndsTheTryOnCancelOrStallAndIsLeftToEndOnItsOwn) {
  for (const bool cancelling : {false, true}) {
    auto gate = std::make_shared<Gate>();
    auto network = std::make_shared<Network>(std::vector<uint32_t>{100}, gate);
    std::weak_ptr<Network> watch = network;
    cancel.cancelled = false;
    info = {};
    std::thread canceller([&] {
      gate->WaitUntilReached();
      if (cancelling) cancel.cancelled = true;
    });
    const LoopEnd end = Run(std::move(network), 100, cancelling ? 30000 : 100);
    canceller.join();
    EXPECT_EQ(end, cancelling ? LoopEnd::Cancelled : LoopEnd::ReadFailed);
    if (!cancelling) {
      EXPECT_EQ(info.error, kErrorStalled);
    }
    // The reading thread still holds the network until its call returns.
    EXPECT_FALSE(watch.expired());
    gate->Open();
    for (int i = 0; i < 500 && !watch.expired(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(watch.expired());
  }
}

TEST_F(ReadAheadLoop, APauseHoldsTheStallClock) {
  auto gate = std::make_shared<Gate>();
  cancel.paused = true;
  std::thread opener([&] {
    gate->WaitUntilReached();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    gate->Open();
    cancel.paused = false;
  });
  int waits = 0;
  ReadAhead body(std::make_shared<Network>(std::vector<uint32_t>{100}, gate), cancel, kChunkSize,
                 test::StallLimit(100));
  EXPECT_EQ(RunReadLoop(cancel, body, sink, quiet, info, 100, [&] { ++waits; }), LoopEnd::Complete);
  opener.join();
  EXPECT_EQ(sink.bytes.size(), 100u);
}

}  // namespace
}  // namespace vwi
