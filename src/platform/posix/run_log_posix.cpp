#include <cstdio>
#include <ctime>

#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {
namespace {

class PosixLogFile final : public ILogFile {
 public:
  explicit PosixLogFile(std::FILE* file) : file_(file) {}
  ~PosixLogFile() override { std::fclose(file_); }
  bool Append(std::string_view bytes) override {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    return std::fflush(file_) == 0 && written;
  }

 private:
  std::FILE* file_;
};

// Windows paths of the tests map their backslashes.
std::string NativePath(const std::u16string& path) {
  std::string native = Utf8FromUtf16(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace

namespace log_platform {

std::unique_ptr<ILogFile> OpenForAppend(const std::u16string& path) {
  std::FILE* file = std::fopen(NativePath(path).c_str(), "ab");
  if (!file) return nullptr;
  return std::make_unique<PosixLogFile>(file);
}

LogTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  return {
      local.tm_year + 1900, local.tm_mon + 1,          local.tm_mday, local.tm_hour, local.tm_min,
      local.tm_sec,         int(now.tv_nsec / 1000000)};
}

}  // namespace log_platform
}  // namespace vwi
