#include "xml/xml_file_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/text.h"
#include "xml/charset_table.h"
#include "xml/declared_encoding.h"
#include "xml/result_log.h"
#include "xml/text_converter.h"

namespace vwi {
namespace {

constexpr int32_t kDetectionBytes = 1024;
constexpr size_t kMaxMessage = 100;

struct ByteOrderMark {
  const char* bytes;
  int32_t length;
  const char16_t* encoding;
  uint32_t flag;
  int32_t unitWidth;
};

constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", 3, u"UTF-8", reader_flags::kUtf8, 1},
    {"\xFF\xFE", 2, u"UTF-16LE", reader_flags::kUtf16Le, 2},
    {"\xFE\xFF", 2, u"UTF-16BE", reader_flags::kUtf16Be, 2},
};

// Encodings of 16 or 32 bits named by a file without a byte-order mark: the
// declaration was readable as 8-bit text, so the bytes are 8-bit text.
bool IsWideCodePage(int32_t codePage) {
  return codePage == 1200 || codePage == 1201 || codePage == 12000 || codePage == 12001 ||
         codePage == kCodePageUtf32Own;
}

}  // namespace

bool PassesUtf8Check(const char* bytes, int32_t count) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  for (int32_t i = 0; i < count;) {
    const unsigned char lead = b[i++];
    if (lead < 0x80) continue;
    int following = 0;
    if (!(lead & 0x20)) {
      following = 1;
    } else if (!(lead & 0x10)) {
      following = 2;
    } else if (!(lead & 0x08)) {
      following = 3;
    } else {
      return false;
    }
    for (int k = 0; k < following; ++k, ++i) {
      if (i >= count || b[i] < 0x80) return false;
    }
  }
  return true;
}

int32_t RemoveNulUnits(char* bytes, int32_t& byteCount, int32_t unitWidth) {
  int32_t kept = 0;
  int32_t removed = 0;
  if (unitWidth == 2) {
    const int32_t units = byteCount / 2;
    for (int32_t i = 0; i < units; ++i) {
      if (bytes[2 * i] == 0 && bytes[2 * i + 1] == 0) {
        ++removed;
        continue;
      }
      bytes[kept++] = bytes[2 * i];
      bytes[kept++] = bytes[2 * i + 1];
    }
  } else {
    // Most files hold no NUL at all: find the first one fast.
    const void* zero = std::memchr(bytes, 0, static_cast<size_t>(byteCount));
    if (!zero) return 0;
    kept = static_cast<int32_t>(static_cast<const char*>(zero) - bytes);
    for (int32_t i = kept; i < byteCount; ++i) {
      if (bytes[i] == 0) {
        ++removed;
      } else {
        bytes[kept++] = bytes[i];
      }
    }
  }
  byteCount = kept;
  return removed;
}

void XmlFileReader::RecordFileError(const FileError& error) {
  std::u16string_view message(error.message);
  message = message.substr(0, message.find_first_of(u"\r\n"));
  message = message.substr(0, kMaxMessage);
  RecordResult(log_, ResultEntry{u"file_error", u"msg", message, u"n", error.code});
}

bool XmlFileReader::ReadBlock(char* buffer, int32_t count) {
  FileError error;
  int32_t got = 0;
  // The system may hand over less than asked; the file ends where it gives nothing.
  for (int32_t more = 0; got < count; got += more) {
    if (!file_->Read(buffer + got, count - got, more, error)) {
      RecordFileError(error);
      return false;
    }
    if (more == 0) break;
  }
  if (got != count) {
    // A file that shrank under us: the system saw no error, so code 0 and no message.
    RecordFileError(FileError{});
    return false;
  }
  position_ += got;
  return true;
}

bool XmlFileReader::Open(std::u16string_view path) {
  FileError error;
  file_ = files_.OpenForReading(path, error);
  if (!file_) {
    RecordFileError(error);
    return false;
  }
  unitWidth_ = 1;
  int64_t length = 0;
  if (!file_->Length(length, error)) {
    RecordFileError(error);
    return false;
  }
  if (length > sizeLimit_) {
    RecordFileError(files_.SystemError(IRawFileSystem::Problem::kFileTooLarge));
    return false;
  }
  fileLength_ = static_cast<int32_t>(length);

  int32_t markLength = 0;
  mode_ &= ~reader_flags::kByteOrderMarks;
  if (fileLength_ > 0) {
    char head[kDetectionBytes];
    const int32_t count = std::min(fileLength_, kDetectionBytes);
    if (!ReadBlock(head, count)) return false;
    for (const ByteOrderMark& mark : kMarks) {
      if (count >= mark.length && std::memcmp(head, mark.bytes, mark.length) == 0) {
        mode_ |= mark.flag;
        unitWidth_ = mark.unitWidth;
        encoding_ = mark.encoding;
        markLength = mark.length;
        break;
      }
    }
    if (!file_->Seek(markLength, error)) {
      RecordFileError(error);
      return false;
    }
    if (markLength == 0) {
      encoding_ = FindDeclaredEncoding(Utf16FromUtf8(std::string_view(head, count)));
      if (encoding_.empty() && head[0] == '<') encoding_ = u"UTF-8";
    }
  }
  position_ = markLength;
  if (markLength) RecordResult(log_, ResultEntry{u"bom"});
  blockSize_ = fileLength_ - position_;
  return true;
}

bool XmlFileReader::Read(std::u16string& text) {
  log_.clear();
  text.clear();
  if (blockSize_ == 0) {
    RecordResult(log_, ResultEntry{u"read", u"encoding", encoding_, u"length", 0});
    return true;
  }
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[blockSize_]);
  if (!buffer) {
    RecordFileError(files_.SystemError(IRawFileSystem::Problem::kOutOfMemory));
    return false;
  }
  if (!ReadBlock(buffer.get(), blockSize_)) return false;
  int32_t bytes = blockSize_;
  unitCount_ = bytes / unitWidth_;
  RecordResult(log_, ResultEntry{u"read", u"encoding", encoding_, u"length", unitCount_});

  const int32_t removed = RemoveNulUnits(buffer.get(), bytes, unitWidth_);
  unitCount_ = bytes / unitWidth_;
  if (removed) RecordResult(log_, ResultEntry{u"nulls_removed", {}, {}, u"count", removed});

  if (unitWidth_ == 2) {
    if (mode_ & reader_flags::kUtf16Be) {
      for (int32_t i = 0; i + 1 < bytes; i += 2) std::swap(buffer[i], buffer[i + 1]);
      RecordResult(log_, ResultEntry{u"endian_swap"});
    }
    text.resize(unitCount_);
    // Little-endian units, assembled byte by byte whatever the host order.
    const auto* b = reinterpret_cast<const unsigned char*>(buffer.get());
    for (int32_t i = 0; i < unitCount_; ++i) {
      text[i] = static_cast<char16_t>(b[2 * i] | (b[2 * i + 1] << 8));
    }
    return true;
  }
  ConvertBytes(buffer.get(), bytes, text);
  return true;
}

void XmlFileReader::ConvertBytes(char* bytes, int32_t count, std::u16string& text) {
  if (encoding_.empty()) {
    if (PassesUtf8Check(bytes, count)) {
      encoding_ = u"UTF-8";
      UpdateResult(log_, u"read", u"encoding", encoding_);
    }
    RecordResult(log_, ResultEntry{u"utf8_detection"});
  }
  const std::u16string_view source =
      IsWideCodePage(LookupCodePage(encoding_)) ? std::u16string_view(u"UTF-8") : encoding_;
  ConvertToUtf16(source, bytes, count, converter_, text);
  RecordResult(log_, ResultEntry{u"converted_to", u"encoding", u"UTF-16", u"length",
                                 static_cast<int64_t>(text.size())});
}

void XmlFileReader::Close() {
  if (!file_) return;
  FileError error;
  if (!file_->Close(error)) RecordFileError(error);
  file_.reset();
}

}  // namespace vwi
