#include "download/read_ahead.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace vwi {

struct ReadAhead::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<uint8_t> ring = std::vector<uint8_t>(kReadAheadBytes);
  size_t head = 0;  // where the oldest byte is
  size_t size = 0;  // bytes kept
  bool ended = false;
  bool failed = false;
  uint32_t error = 0;
  bool quit = false;  // the transfer is gone
  // Who sleeps: each side wakes the other only then, so a flowing transfer
  // makes no thread switches of its own.
  bool takerWaits = false;
  bool pumpWaits = false;

  // Nothing to hand out and nothing to tell yet.
  bool Nothing() const { return size == 0 && !ended && !failed; }

  // The ring in at most two runs: from `at` to its end, then from its start.
  void Append(const uint8_t* data, size_t count) {
    const size_t at = (head + size) % ring.size();
    const size_t first = count < ring.size() - at ? count : ring.size() - at;
    std::memcpy(ring.data() + at, data, first);
    std::memcpy(ring.data(), data + first, count - first);
    size += count;
  }
  size_t Take(uint8_t* out, size_t count) {
    count = count < size ? count : size;
    const size_t first = count < ring.size() - head ? count : ring.size() - head;
    std::memcpy(out, ring.data() + head, first);
    std::memcpy(out + first, ring.data(), count - first);
    head = (head + count) % ring.size();
    size -= count;
    return count;
  }

  // The reading thread: a blocked network call holds no lock.
  static void Pump(const std::shared_ptr<Shared>& self, const std::shared_ptr<IBodySource>& network,
                   uint32_t readSize) {
    std::vector<uint8_t> piece(readSize);
    for (;;) {
      uint32_t available = 0;
      uint32_t read = 0;
      bool ok = network->QueryAvailable(available);
      if (ok && available > 0) {
        ok = network->Read(piece.data(), available < readSize ? available : readSize, read);
      }
      const uint32_t error = ok ? 0 : network->LastError();
      std::unique_lock lock(self->mutex);
      if (self->quit) return;
      if (!ok || read == 0) {
        self->failed = !ok;
        self->error = error;
        self->ended = ok;
        self->changed.notify_all();
        return;
      }
      if (self->ring.size() - self->size < read) {
        // Full: sleep until the transfer has taken half.
        self->pumpWaits = true;
        self->changed.wait(lock, [&] { return self->quit || self->size <= self->ring.size() / 2; });
        self->pumpWaits = false;
        if (self->quit) return;
      }
      self->Append(piece.data(), read);
      // A waiting transfer is woken for a batch's worth; smaller amounts it
      // finds when its wait's slice ends. Waking it for every piece would
      // cost two thread switches a piece on a transfer faster than the disk.
      if (self->takerWaits && self->size >= kBatchSize) self->changed.notify_all();
    }
  }
};

ReadAhead::ReadAhead(std::shared_ptr<IBodySource> network, const ICancelRequest& cancel,
                     uint32_t readSize, const RetryPolicy& policy)
    : shared_(std::make_shared<Shared>()),
      cancel_(cancel),
      stallLimit_(policy.stallLimitMilliseconds),
      clock_(*policy.clock) {
  std::thread([shared = shared_, network = std::move(network), readSize] {
    Shared::Pump(shared, network, readSize);
  }).detach();
}

ReadAhead::~ReadAhead() {
  std::lock_guard lock(shared_->mutex);
  shared_->quit = true;
  shared_->changed.notify_all();
}

bool ReadAhead::QueryAvailable(uint32_t& available) {
  std::unique_lock lock(shared_->mutex);
  WaitWatch watch(cancel_, stallLimit_, clock_);
  while (shared_->Nothing()) {
    shared_->takerWaits = true;
    shared_->changed.wait_for(lock, WaitWatch::kSlice);
    shared_->takerWaits = false;
    if (!shared_->Nothing()) break;
    const CallEnd end = watch.Look();
    if (end != CallEnd::Returned) {
      error_ = GivenUpError(end);
      return false;
    }
  }
  if (shared_->size == 0 && shared_->failed) {
    error_ = shared_->error;
    return false;
  }
  available = static_cast<uint32_t>(shared_->size);
  return true;
}

bool ReadAhead::Read(uint8_t* buffer, uint32_t size, uint32_t& read) {
  std::lock_guard lock(shared_->mutex);
  read = static_cast<uint32_t>(shared_->Take(buffer, size));
  if (shared_->pumpWaits && shared_->size <= shared_->ring.size() / 2) {
    shared_->changed.notify_all();
  }
  return true;
}

}  // namespace vwi
