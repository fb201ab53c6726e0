#include <cstdio>
#include <mutex>

#include "platform/diagnostics.h"
#include "platform/run_log.h"
#include "platform/text.h"

namespace vwi {
namespace {
std::mutex lock;
std::u16string file;
}  // namespace

void SetDiagnosticFile(std::u16string path) {
  std::lock_guard guard(lock);
  file = std::move(path);
}

void DiagnosticLine(std::u16string_view line) {
  LogLine(line);
  std::lock_guard guard(lock);
  const std::string text = Utf8FromUtf16(line);
  std::fputs(text.c_str(), stderr);
  if (file.empty()) return;
  if (FILE* out = std::fopen(Utf8FromUtf16(file).c_str(), "ab")) {
    std::fputs(text.c_str(), out);
    std::fclose(out);
  }
}

}  // namespace vwi
