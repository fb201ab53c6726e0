#include <windows.h>

#include "platform/byte_sink.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

FileSink::FileSink(const std::u16string& path) {
  // Others may read the file while it is written, but nobody else writes it.
  const HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

FileSink::~FileSink() { Close(); }

bool FileSink::Write(const char* data, std::size_t size) {
  while (IsOpen() && !failed_ && size > 0) {
    const DWORD part = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), data, part, &written, nullptr) || written == 0) {
      failed_ = true;
    }
    data += written;
    size -= written;
  }
  return IsOpen() && !failed_;
}

bool FileSink::Restart() {
  if (!IsOpen() || failed_) return false;
  LARGE_INTEGER start{};
  return SetFilePointerEx(AsHandle(handle_), start, nullptr, FILE_BEGIN) &&
         SetEndOfFile(AsHandle(handle_));
}

bool FileSink::Close() {
  if (!IsOpen()) return false;
  const bool closed = CloseHandle(AsHandle(handle_)) != FALSE;
  handle_ = kNone;
  return closed && !failed_;
}

bool RemoveFile(const std::u16string& path) { return DeleteFileW(Wide(path)) != FALSE; }

}  // namespace vwi
