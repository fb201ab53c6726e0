#include "download/watched_calls.h"

#include <condition_variable>
#include <mutex>

namespace vwi {

CallEnd WaitWatch::Look() {
  if (cancel_.IsCancelled()) return CallEnd::Cancelled;
  const std::chrono::milliseconds now = clock_.Now();
  if (!cancel_.IsPaused()) quiet_ += now - last_;
  last_ = now;
  return quiet_ >= limit_ ? CallEnd::Stalled : CallEnd::Returned;
}

bool WaitUnlessCancelled(const ICancelRequest& cancel, uint32_t milliseconds,
                         const std::function<void(uint32_t)>& onSecond, const IWaitClock& clock) {
  WaitWatch watch(cancel, milliseconds, clock);
  uint32_t told = 0;
  for (CallEnd end = watch.Look(); end != CallEnd::Stalled; end = watch.Look()) {
    if (end == CallEnd::Cancelled) return false;
    const auto counted = static_cast<uint32_t>(watch.Counted().count());
    const uint32_t secondsLeft = (milliseconds - counted + 999) / 1000;
    if (onSecond && secondsLeft != told) onSecond(told = secondsLeft);
    std::this_thread::sleep_for(WaitWatch::kSlice);
  }
  return true;
}

struct WatchedCalls::Shared {
  std::mutex mutex;
  std::condition_variable toHelper;
  std::condition_variable toCaller;
  std::function<void()> call;  // the call waiting for the helper
  bool busy = false;           // a call is waiting or running
  bool quit = false;

  // The helper's loop. The call (and what it captured) is destroyed on the
  // helper's thread, so a call given up releases its handles when it ends.
  static void Serve(const std::shared_ptr<Shared>& self) {
    std::unique_lock lock(self->mutex);
    for (;;) {
      self->toHelper.wait(lock, [&] { return self->quit || self->call; });
      if (self->quit) return;
      std::function<void()> call = std::move(self->call);
      self->call = nullptr;
      lock.unlock();
      call();
      call = nullptr;
      lock.lock();
      self->busy = false;
      self->toCaller.notify_all();
    }
  }
};

WatchedCalls::WatchedCalls(const ICancelRequest& cancel, const RetryPolicy& policy)
    : cancel_(cancel),
      stallLimit_(policy.stallLimitMilliseconds),
      clock_(*policy.clock),
      shared_(std::make_shared<Shared>()) {}

WatchedCalls::~WatchedCalls() {
  if (!helper_.joinable()) return;
  bool stuck = false;
  {
    std::lock_guard lock(shared_->mutex);
    shared_->quit = true;
    stuck = shared_->busy;
  }
  shared_->toHelper.notify_all();
  // A helper still inside a given-up call ends when that call does; it holds
  // its own share of the state.
  if (stuck) {
    helper_.detach();
  } else {
    helper_.join();
  }
}

CallEnd WatchedCalls::Run(std::function<void()> call) {
  if (givenUp_ != CallEnd::Returned) return givenUp_;
  if (!helper_.joinable()) {
    helper_ = std::thread([shared = shared_] { Shared::Serve(shared); });
  }
  std::unique_lock lock(shared_->mutex);
  shared_->call = std::move(call);
  shared_->busy = true;
  shared_->toHelper.notify_all();
  WaitWatch watch(cancel_, stallLimit_, clock_);
  while (!shared_->toCaller.wait_for(lock, WaitWatch::kSlice, [&] { return !shared_->busy; })) {
    const CallEnd end = watch.Look();
    if (end != CallEnd::Returned) return givenUp_ = end;
  }
  return CallEnd::Returned;
}

}  // namespace vwi
