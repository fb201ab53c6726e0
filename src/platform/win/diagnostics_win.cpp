#include <windows.h>

#include <mutex>

#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"
#include "platform/win/unique_handle.h"
#include "platform/win/wide.h"

namespace vwi {
namespace {

std::mutex lock;
std::u16string file;

void AppendToFile(const std::u16string& path, const std::string& text) {
  UniqueFile out(CreateFileW(Wide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return;
  DWORD written = 0;
  WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void SetDiagnosticFile(std::u16string path) {
  std::lock_guard guard(lock);
  file = std::move(path);
}

void DiagnosticLine(std::u16string_view line) {
  const std::u16string text(line);
  OutputDebugStringW(Wide(text));
  LogLine(text);
  std::lock_guard guard(lock);
  if (!file.empty()) AppendToFile(file, Utf8FromUtf16(text));
}

}  // namespace vwi
