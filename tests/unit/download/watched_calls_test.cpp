#include "download/watched_calls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "unit/download/blocking_doubles.h"
#include "unit/download/test_clocks.h"

namespace vwi {
namespace {

using test::AtomicCancel;
using test::Gate;

TEST(WatchedCalls, CallsRunInTurnOnOneHelperAndHandTheirResultsBack) {
  AtomicCancel cancel;
  WatchedCalls calls(cancel);
  auto order = std::make_shared<std::vector<int>>();
  std::thread::id helper;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(calls.Run([order, i, &helper] {
      order->push_back(i);
      if (i == 0) helper = std::this_thread::get_id();
      EXPECT_EQ(std::this_thread::get_id(), helper);
    }),
              CallEnd::Returned);
  }
  EXPECT_EQ(*order, (std::vector<int>{0, 1, 2}));
  EXPECT_NE(helper, std::this_thread::get_id());
}

TEST(WatchedCalls, ACancelGivesUpABlockedCallWhichEndsLaterOnItsOwn) {
  AtomicCancel cancel;
  auto gate = std::make_shared<Gate>();
  auto resource = std::make_shared<int>(7);  // what the call shares, e.g. its request
  std::weak_ptr<int> watch = resource;
  {
    WatchedCalls calls(cancel);
    std::thread canceller([&] {
      gate->WaitUntilReached();
      cancel.cancelled = true;
    });
    EXPECT_EQ(calls.Run([gate, resource = std::move(resource)] { gate->Pass(); }),
              CallEnd::Cancelled);
    canceller.join();
    // Nothing more runs once a call is given up.
    bool ran = false;
    EXPECT_EQ(calls.Run([&ran] { ran = true; }), CallEnd::Cancelled);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(watch.expired());
  }
  // The watcher is gone; the call still holds what it shares until it ends.
  EXPECT_FALSE(watch.expired());
  gate->Open();
  for (int i = 0; i < 500 && !watch.expired(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(watch.expired());
}

TEST(WatchedCalls, ACallThatHearsNothingForTheLimitIsGivenUpButAPauseHoldsTheClock) {
  AtomicCancel cancel;
  auto gate = std::make_shared<Gate>();
  {
    WatchedCalls calls(cancel, test::StallLimit(100));
    EXPECT_EQ(calls.Run([gate] { gate->Pass(); }), CallEnd::Stalled);
  }
  gate->Open();

  // Paused for three times the limit: the call is still waited for.
  auto paused = std::make_shared<Gate>();
  cancel.paused = true;
  WatchedCalls calls(cancel, test::StallLimit(100));
  std::thread opener([&] {
    paused->WaitUntilReached();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    paused->Open();
  });
  EXPECT_EQ(calls.Run([paused] { paused->Pass(); }), CallEnd::Returned);
  opener.join();
}

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

TEST(RetryWait, CountsTheSecondsLeftDownToTheEnd) {
  AtomicCancel cancel;
  std::vector<uint32_t> told;
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(WaitUnlessCancelled(cancel, 1200, [&](uint32_t s) { told.push_back(s); }));
  EXPECT_GE(Clock::now() - start, milliseconds(1200));
  EXPECT_EQ(told, (std::vector<uint32_t>{2, 1}));
  EXPECT_TRUE(WaitUnlessCancelled(cancel, 0));  // nothing to wait for
}

TEST(RetryWait, IsCountedOnTheClockItIsGiven) {
  // Eight seconds on a clock the test moves a second at a time: the count
  // goes down second by second, and far less real time passes.
  AtomicCancel cancel;
  test::ManualClock clock;
  std::atomic<uint32_t> lastTold{0};
  std::vector<uint32_t> told;
  std::thread mover([&] {
    for (uint32_t left = 8; left > 0; --left) {
      while (lastTold != left) std::this_thread::yield();
      clock.Advance(milliseconds(1000));
    }
  });
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(WaitUnlessCancelled(
      cancel, 8000,
      [&](uint32_t s) {
        told.push_back(s);
        lastTold = s;
      },
      clock));
  mover.join();
  EXPECT_LT(Clock::now() - start, milliseconds(4000));
  ASSERT_EQ(told.size(), 8u);
  EXPECT_EQ(told.front(), 8u);
  EXPECT_EQ(told.back(), 1u);
}

TEST(RetryWait, ACancelEndsItAndAPauseHoldsTheCount) {
  AtomicCancel cancel;
  std::thread later([&] {
    std::this_thread::sleep_for(milliseconds(100));
    cancel.cancelled = true;
  });
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(WaitUnlessCancelled(cancel, 60000));
  EXPECT_LT(Clock::now() - start, milliseconds(30000));
  later.join();
  EXPECT_FALSE(WaitUnlessCancelled(cancel, 0));  // cancelled before it began

  // Paused from the start: the wait of 100 ms begins only when the pause ends.
  AtomicCancel paused;
  paused.paused = true;
  std::thread resume([&] {
    std::this_thread::sleep_for(milliseconds(300));
    paused.paused = false;
  });
  const Clock::time_point held = Clock::now();
  EXPECT_TRUE(WaitUnlessCancelled(paused, 100));
  // The slice in which the pause ended may count.
  EXPECT_GE(Clock::now() - held, milliseconds(300 + 100) - WaitWatch::kSlice);
  resume.join();
}

}  // namespace
}  // namespace vwi
