// Bytes in memory served as the one file a reader opens: a text this run
// received (a download never stored on disk), or a fuzz input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "xml/xml_platform.h"

namespace vwi {

class MemoryFile final : public IRawFile {
 public:
  MemoryFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Length(int64_t& length, FileError&) override {
    length = static_cast<int64_t>(size_);
    position_ = 0;
    return true;
  }
  bool Seek(int64_t offset, FileError&) override {
    position_ = static_cast<size_t>(offset);
    return true;
  }
  bool Read(char* buffer, int32_t count, int32_t& got, FileError&) override {
    const size_t left = position_ < size_ ? size_ - position_ : 0;
    got = static_cast<int32_t>(std::min<size_t>(left, static_cast<size_t>(count)));
    std::memcpy(buffer, data_ + position_, got);
    position_ += got;
    return true;
  }
  bool Close(FileError&) override { return true; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

class MemoryFileSystem final : public IRawFileSystem {
 public:
  MemoryFileSystem(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit MemoryFileSystem(std::string_view bytes)
      : MemoryFileSystem(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) {}
  std::unique_ptr<IRawFile> OpenForReading(std::u16string_view, FileError&) override {
    return std::make_unique<MemoryFile>(data_, size_);
  }
  FileError SystemError(Problem) override { return FileError{27, u"too large"}; }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace vwi
