// Raw file reading with POSIX calls, for the native tree.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text.h"
#include "xml/xml_platform.h"

namespace vwi {
namespace {

FileError ErrorFromErrno(int code) {
  char buffer[256] = {};
  const char* message = strerror_r(code, buffer, sizeof buffer);
  return FileError{static_cast<uint32_t>(code), Utf16FromUtf8(message ? message : "")};
}

FileError LastError() { return ErrorFromErrno(errno); }

class PosixFile final : public IRawFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  bool Length(int64_t& length, FileError& error) override {
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0 || ::lseek(fd_, 0, SEEK_SET) < 0) {
      error = LastError();
      return false;
    }
    length = end;
    return true;
  }

  bool Seek(int64_t offset, FileError& error) override {
    if (::lseek(fd_, offset, SEEK_SET) < 0) {
      error = LastError();
      return false;
    }
    return true;
  }

  bool Read(char* buffer, int32_t count, int32_t& got, FileError& error) override {
    ssize_t n = 0;
    do {
      n = ::read(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      error = LastError();
      return false;
    }
    got = static_cast<int32_t>(n);
    return true;
  }

  bool Close(FileError& error) override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
      error = LastError();
      return false;
    }
    return true;
  }

 private:
  int fd_;
};

class PosixFileSystem final : public IRawFileSystem {
 public:
  std::unique_ptr<IRawFile> OpenForReading(std::u16string_view path, FileError& error) override {
    const std::string name = Utf8FromUtf16(path);
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      error = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  FileError SystemError(Problem problem) override {
    return ErrorFromErrno(problem == Problem::kFileTooLarge ? EFBIG : ENOMEM);
  }
};

}  // namespace

IRawFileSystem& SystemFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace vwi
