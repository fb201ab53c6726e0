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
bool fileChosen = false;
std::u16string file;

std::u16string FileFromEnvironment() {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"VWI_DIAGNOSTIC_LOG", buffer, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return {};
  return FromWide(std::wstring_view(buffer, length));
}

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
  fileChosen = true;
}

void DiagnosticLine(std::u16string_view line) {
  const std::u16string text(line);
  OutputDebugStringW(Wide(text));
  LogLine(text);
  std::lock_guard guard(lock);
  if (!fileChosen) {
    file = FileFromEnvironment();
    fileChosen = true;
  }
  if (!file.empty()) AppendToFile(file, Utf8FromUtf16(text));
}

}  // namespace vwi
