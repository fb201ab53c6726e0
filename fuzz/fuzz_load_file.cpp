// LoadFile of arbitrary bytes, through an in-memory file and the native
// code-page conversion, then a walk of every element.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_walk.h"

namespace {

class MemoryFile final : public vwi::IRawFile {
 public:
  MemoryFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Length(int64_t& length, vwi::FileError&) override {
    length = static_cast<int64_t>(size_);
    position_ = 0;
    return true;
  }
  bool Seek(int64_t offset, vwi::FileError&) override {
    position_ = static_cast<size_t>(offset);
    return true;
  }
  bool Read(char* buffer, int32_t count, int32_t& got, vwi::FileError&) override {
    const size_t left = position_ < size_ ? size_ - position_ : 0;
    got = static_cast<int32_t>(std::min<size_t>(left, static_cast<size_t>(count)));
    std::memcpy(buffer, data_ + position_, got);
    position_ += got;
    return true;
  }
  bool Close(vwi::FileError&) override { return true; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

class MemoryFileSystem final : public vwi::IRawFileSystem {
 public:
  MemoryFileSystem(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::unique_ptr<vwi::IRawFile> OpenForReading(std::u16string_view, vwi::FileError&) override {
    return std::make_unique<MemoryFile>(data_, size_);
  }
  vwi::FileError SystemError(Problem) override { return vwi::FileError{27, u"too large"}; }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFileSystem files(data, size);
  vwi::XmlDocument doc;
  doc.LoadFile(u"fuzz.xml", files, vwi::SystemCodePageConverter());
  vwi::WalkDocument(doc);
  return 0;
}
