// Raw file reading with the Win32 file API.
#include <windows.h>

#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"
#include "xml/xml_platform.h"

namespace vwi {
namespace {

FileError ErrorFromCode(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  FileError error{code, {}};
  if (length && text) error.message = FromWide(std::wstring_view(text, length));
  if (text) ::LocalFree(text);
  return error;
}

FileError LastError() { return ErrorFromCode(::GetLastError()); }

class WinFile final : public IRawFile {
 public:
  explicit WinFile(UniqueFile file) : file_(std::move(file)) {}

  bool Length(int64_t& length, FileError& error) override {
    LARGE_INTEGER end{};
    if (!::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, &end, FILE_END) ||
        !::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
      error = LastError();
      return false;
    }
    length = end.QuadPart;
    return true;
  }

  bool Seek(int64_t offset, FileError& error) override {
    LARGE_INTEGER to{};
    to.QuadPart = offset;
    if (!::SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN)) {
      error = LastError();
      return false;
    }
    return true;
  }

  bool Read(char* buffer, int32_t count, int32_t& got, FileError& error) override {
    DWORD n = 0;
    if (!::ReadFile(file_.get(), buffer, static_cast<DWORD>(count), &n, nullptr)) {
      error = LastError();
      return false;
    }
    got = static_cast<int32_t>(n);
    return true;
  }

  bool Close(FileError& error) override {
    HANDLE h = file_.release();
    if (!::CloseHandle(h)) {
      error = LastError();
      return false;
    }
    return true;
  }

 private:
  UniqueFile file_;
};

class WinFileSystem final : public IRawFileSystem {
 public:
  std::unique_ptr<IRawFile> OpenForReading(std::u16string_view path, FileError& error) override {
    const std::u16string name(path);
    UniqueFile file(::CreateFileW(Wide(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      error = LastError();
      return nullptr;
    }
    return std::make_unique<WinFile>(std::move(file));
  }

  FileError SystemError(Problem problem) override {
    return ErrorFromCode(problem == Problem::kFileTooLarge ? ERROR_FILE_TOO_LARGE
                                                           : ERROR_NOT_ENOUGH_MEMORY);
  }
};

}  // namespace

IRawFileSystem& SystemFileSystem() {
  static WinFileSystem files;
  return files;
}

}  // namespace vwi
