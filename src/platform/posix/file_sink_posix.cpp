#include <fcntl.h>
#include <unistd.h>

#include "platform/byte_sink.h"
#include "platform/posix/native_path.h"

namespace vwi {

FileSink::FileSink(const std::u16string& path) {
  const int file = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file >= 0) handle_ = file;
}

FileSink::~FileSink() { Close(); }

bool FileSink::Write(const char* data, std::size_t size) {
  while (IsOpen() && !failed_ && size > 0) {
    const ssize_t written = write(static_cast<int>(handle_), data, size);
    if (written <= 0) {
      failed_ = true;
      break;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return IsOpen() && !failed_;
}

bool FileSink::Restart() {
  if (!IsOpen() || failed_) return false;
  const int file = static_cast<int>(handle_);
  return ftruncate(file, 0) == 0 && lseek(file, 0, SEEK_SET) == 0;
}

bool FileSink::Close() {
  if (!IsOpen()) return false;
  const bool closed = close(static_cast<int>(handle_)) == 0;
  handle_ = kNone;
  return closed && !failed_;
}

bool RemoveFile(const std::u16string& path) { return unlink(NativePath(path).c_str()) == 0; }

}  // namespace vwi
