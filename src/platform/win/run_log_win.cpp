#include <windows.h>

#include "platform/run_log.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

class WinLogFile final : public ILogFile {
 public:
  explicit WinLogFile(UniqueFile file) : file_(std::move(file)) {}
  bool Append(std::string_view bytes) override {
    DWORD written = 0;
    return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
  }

 private:
  UniqueFile file_;
};

// A symbolic link, junction or mount point, or a file with a second name
// elsewhere (a hard link).
bool IsLinked(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return true;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || info.nNumberOfLinks > 1;
}

}  // namespace

namespace log_platform {

std::unique_ptr<ILogFile> OpenForAppend(const std::u16string& path) {
  // Shared for writing too: a newer installer handed over to appends to the
  // same log while this one waits for it.
  // The link itself is opened, never what it points at: a link planted under
  // the log's name must not make an elevated run write elsewhere.
  UniqueFile file(CreateFileW(Wide(path), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file || IsLinked(file.get())) return nullptr;
  return std::make_unique<WinLogFile>(std::move(file));
}

LogTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace log_platform
}  // namespace vwi
