// Where downloaded bytes go: a file being written, or memory. Kept small so
// the shipped program carries no stream machinery.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/held_folder.h"

namespace vwi {

class IByteSink {
 public:
  virtual ~IByteSink() = default;
  // False when the bytes could not all be kept.
  virtual bool Write(const char* data, std::size_t size) = 0;
  // Drops everything written, for a transfer that starts over; false when
  // the bytes cannot be taken back.
  virtual bool Restart() = 0;
};

// Bytes kept in memory, up to a limit when one is given: a write that would
// pass it fails, so a transfer ends as soon as the body proves too long.
class StringSink final : public IByteSink {
 public:
  explicit StringSink(std::size_t limit = SIZE_MAX) : limit_(limit) {}
  bool Write(const char* data, std::size_t size) override {
    if (size > limit_ - text.size()) return false;
    text.append(data, size);
    return true;
  }
  bool Restart() override {
    text.clear();
    return true;
  }
  std::string text;

 private:
  std::size_t limit_;
};

// Bytes written in order into a file this run has just made.
class NewFileSink final : public IByteSink {
 public:
  explicit NewFileSink(INewFile& file) : file_(file) {}
  bool Write(const char* data, std::size_t size) override {
    if (!file_.WriteAt(end_, data, size)) return false;
    end_ += size;
    return true;
  }
  bool Restart() override {
    end_ = 0;
    return file_.Truncate(0);
  }

 private:
  INewFile& file_;
  uint64_t end_ = 0;
};

}  // namespace vwi
