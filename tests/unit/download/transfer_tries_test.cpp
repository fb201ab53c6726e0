#include "download/transfer_tries.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace vwi {
namespace {

// Answers the tries from a script and records what was asked.
class ScriptedTries final : public ITransferTries {
 public:
  explicit ScriptedTries(std::deque<TryResult> script) : script_(std::move(script)) {}
  TryResult Try(uint64_t offset) override {
    offsets.push_back(offset);
    TryResult next = script_.front();
    if (script_.size() > 1) script_.pop_front();
    return next;
  }
  bool WaitToRetry(uint32_t milliseconds) override {
    waits.push_back(milliseconds);
    return !cancelInWait;
  }
  std::vector<uint64_t> offsets;
  std::vector<uint32_t> waits;
  bool cancelInWait = false;

 private:
  std::deque<TryResult> script_;
};

TryResult Ok() { return {}; }
TryResult Dropped(uint64_t kept) { return {{TransferFailure::Dropped}, kept}; }
TryResult Answer(uint32_t status, std::optional<uint32_t> after = std::nullopt) {
  return {{TransferFailure::Status, status, after}, 0};
}

TEST(TransferTries, ASuccessAtTheFirstTryIsOneRequestAndNoWait) {
  ScriptedTries tries({Ok()});
  EXPECT_EQ(RunTries(tries, u"http://s/a").failure, TransferFailure::None);
  EXPECT_EQ(tries.offsets, (std::vector<uint64_t>{0}));
  EXPECT_TRUE(tries.waits.empty());
}

TEST(TransferTries, ADroppedTransferGoesOnFromTheBytesKept) {
  ScriptedTries tries({Dropped(131072), Dropped(0), Ok()});
  EXPECT_EQ(RunTries(tries, u"http://s/a").failure, TransferFailure::None);
  // Nothing kept (no validator, or the answer started over): from the start.
  EXPECT_EQ(tries.offsets, (std::vector<uint64_t>{0, 131072, 0}));
  EXPECT_EQ(tries.waits, (std::vector<uint32_t>{1000, 2000}));
}

TEST(TransferTries, BusyAnswersWaitAsToldAndPermanentOnesEndAtOnce) {
  ScriptedTries busy({Answer(503, 5), Answer(503), Ok()});
  EXPECT_EQ(RunTries(busy, u"http://s/a").failure, TransferFailure::None);
  EXPECT_EQ(busy.waits, (std::vector<uint32_t>{5000, 2000}));

  ScriptedTries missing({Answer(404)});
  const TransferResult end = RunTries(missing, u"http://s/a");
  EXPECT_EQ(end.status, 404u);
  EXPECT_EQ(missing.offsets.size(), 1u);
  EXPECT_TRUE(missing.waits.empty());
}

TEST(TransferTries, ThreeRetriesAtMostAndACancelledWaitEndsThem) {
  ScriptedTries failing({Dropped(10)});
  EXPECT_EQ(RunTries(failing, u"http://s/a").failure, TransferFailure::Dropped);
  EXPECT_EQ(failing.offsets.size(), 4u);
  EXPECT_EQ(failing.waits, (std::vector<uint32_t>{1000, 2000, 4000}));

  ScriptedTries cancelled({Dropped(10)});
  cancelled.cancelInWait = true;
  EXPECT_EQ(RunTries(cancelled, u"http://s/a").failure, TransferFailure::Cancelled);
  EXPECT_EQ(cancelled.offsets.size(), 1u);
}

TEST(TransferTries, EachRetryIsLoggedWithItsReasonOffsetAndWait) {
  EXPECT_EQ(RetryLogEntry(u"http://s/a.msi", 1, {TransferFailure::Dropped}, 262144, 1000),
            u"Retry 1 of 3 for http://s/a.msi after connection dropped: from byte 262144 in 1 s");
  EXPECT_EQ(RetryLogEntry(u"http://s/a.msi", 3, {TransferFailure::Status, 503}, 0, 30000),
            u"Retry 3 of 3 for http://s/a.msi after status 503: from the start in 30 s");
  // The log may be read by anyone the administrator hands it to.
  EXPECT_EQ(RetryLogEntry(u"https://ann:secret@s/a.msi", 1, {TransferFailure::TimedOut}, 0, 2000),
            u"Retry 1 of 3 for https://s/a.msi after timed out: from the start in 2 s");
}

}  // namespace
}  // namespace vwi
