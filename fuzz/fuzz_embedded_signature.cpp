// A downloaded program of arbitrary bytes searched for its Authenticode
// signature, as the check of a newer installer reads it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "download/embedded_signature.h"

namespace {

class FuzzFile final : public vwi::IHeldFile {
 public:
  FuzzFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t size) override {
    if (offset >= size_) return 0;
    const size_t n = std::min<size_t>(size, size_ - static_cast<size_t>(offset));
    std::memcpy(buffer, data_ + offset, n);
    return n;
  }
  std::optional<uint64_t> Size() override { return size_; }
  void* NativeHandle() override { return nullptr; }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFile file(data, size);
  vwi::EmbeddedSignature(file);
  return 0;
}
