// What LoadFile needs from the platform: raw file reading and code-page
// conversion. The Windows tree implements them with the Win32 API, the
// native tree with POSIX files and iconv; tests may pass their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vwi {

// The system's code and message for a failed file operation.
struct FileError {
  uint32_t code = 0;
  std::u16string message;
};

// A file opened for reading as raw bytes (no newline translation).
class IRawFile {
 public:
  virtual ~IRawFile() = default;
  // Seeks to the end to learn the length, then back to offset 0.
  virtual bool Length(int64_t& length, FileError& error) = 0;
  virtual bool Seek(int64_t offset, FileError& error) = 0;
  // Reads up to `count` bytes in one request; `got` is what arrived (0 at
  // the end of the file).
  virtual bool Read(char* buffer, int32_t count, int32_t& got, FileError& error) = 0;
  virtual bool Close(FileError& error) = 0;
};

class IRawFileSystem {
 public:
  virtual ~IRawFileSystem() = default;
  // Null on failure, with `error` filled in.
  virtual std::unique_ptr<IRawFile> OpenForReading(std::u16string_view path, FileError& error) = 0;

  enum class Problem { kFileTooLarge, kOutOfMemory };
  // The system's own code and message for a problem found by the reader itself.
  virtual FileError SystemError(Problem problem) = 0;
};

// Converts 8-bit text in a code page to UTF-16.
class ICodePageConverter {
 public:
  virtual ~ICodePageConverter() = default;
  // With `out` null, returns the number of UTF-16 units the bytes give;
  // otherwise writes at most `capacity` units and returns how many. 0 when
  // the code page cannot be converted (or there are no bytes). Code page 0 is
  // the system's default 8-bit code page.
  virtual int32_t ToUtf16(uint32_t codePage, const char* bytes, int32_t count, char16_t* out,
                          int32_t capacity) = 0;
};

// The platform's own implementations (one of each per process).
IRawFileSystem& SystemFileSystem();
ICodePageConverter& SystemCodePageConverter();

}  // namespace vwi
