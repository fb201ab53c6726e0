// Where downloaded bytes go: a file being written, or memory. Kept small so
// the shipped program carries no stream machinery.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

// Bytes kept in memory.
class StringSink final : public IByteSink {
 public:
  bool Write(const char* data, std::size_t size) override {
    text.append(data, size);
    return true;
  }
  bool Restart() override {
    text.clear();
    return true;
  }
  std::string text;
};

// A file created, or emptied, at `path` and written from its start.
class FileSink final : public IByteSink {
 public:
  explicit FileSink(const std::u16string& path);
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;
  ~FileSink() override;

  bool IsOpen() const { return handle_ != kNone; }
  bool Write(const char* data, std::size_t size) override;
  bool Restart() override;
  // Closes the file; true when it was open and every write reached it.
  bool Close();

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;
  bool failed_ = false;
};

// Removes the file at `path`; false when there was none or it stays.
bool RemoveFile(const std::u16string& path);

}  // namespace vwi
