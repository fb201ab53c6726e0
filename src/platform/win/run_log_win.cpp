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

}  // namespace

namespace log_platform {

std::unique_ptr<ILogFile> OpenForAppend(const std::u16string& path) {
  // Shared for writing too: a newer installer handed over to appends to the
  // same log while this one waits for it.
  UniqueFile file(CreateFileW(Wide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  return std::make_unique<WinLogFile>(std::move(file));
}

LogTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace log_platform
}  // namespace vwi
