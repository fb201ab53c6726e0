// Reads one file for XmlDocument::LoadFile: finds its encoding from a
// byte-order mark, its own declaration or a UTF-8 check, and turns it into
// UTF-16. Lives only for one load.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "xml/xml_platform.h"

namespace vwi {

namespace reader_flags {
constexpr uint32_t kUtf16Le = 0x1;
constexpr uint32_t kUtf8 = 0x4;
constexpr uint32_t kUtf16Be = 0x80;
constexpr uint32_t kByteOrderMarks = kUtf16Le | kUtf8 | kUtf16Be;
constexpr uint32_t kReading = 0x100;
}  // namespace reader_flags

// True when every byte from 0x80 up starts a sequence whose following bytes
// (one to three, by its leading bits) exist and are 0x80 or above.
bool PassesUtf8Check(const char* bytes, int32_t count);

// Removes the zero units (bytes, or 16-bit units when `unitWidth` is 2) in
// place; returns how many were removed. A trailing odd byte of 16-bit text is
// not a unit and is dropped too.
int32_t RemoveNulUnits(char* bytes, int32_t& byteCount, int32_t unitWidth);

class XmlFileReader {
 public:
  XmlFileReader(IRawFileSystem& files, ICodePageConverter& converter, uint32_t mode)
      : files_(files), converter_(converter), mode_(mode) {}

  // Opens the file and detects its encoding. The log then holds what was found.
  bool Open(std::u16string_view path);
  // Files longer than `bytes` are refused as too large before anything is read.
  void SetSizeLimit(int64_t bytes) { sizeLimit_ = bytes; }
  // Reads the rest of the file into `text` (the log is cleared first).
  bool Read(std::u16string& text);
  // Closes the file; a failure is logged.
  void Close();

  const std::u16string& log() const { return log_; }
  uint32_t mode() const { return mode_; }
  const std::u16string& encoding() const { return encoding_; }

 private:
  void RecordFileError(const FileError& error);
  bool ReadBlock(char* buffer, int32_t count);
  void ConvertBytes(char* bytes, int32_t count, std::u16string& text);

  IRawFileSystem& files_;
  ICodePageConverter& converter_;
  std::unique_ptr<IRawFile> file_;
  uint32_t mode_;
  int64_t sizeLimit_ = std::numeric_limits<int32_t>::max() - 1;
  int32_t blockSize_ = 0;
  int32_t fileLength_ = 0;
  int32_t position_ = 0;
  int32_t unitWidth_ = 1;
  int32_t unitCount_ = 0;
  std::u16string log_;
  std::u16string encoding_;
};

}  // namespace vwi
