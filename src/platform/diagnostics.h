// Diagnostic lines: the debugger output, and a file when one is configured, so
// that tests (and support) can read what the debugger would have shown.
#pragma once

#include <string>
#include <string_view>

namespace vwi {

// Writes one diagnostic line (the caller supplies any line ending). On
// Windows it goes to OutputDebugStringW and, when the environment variable
// VWI_DIAGNOSTIC_LOG names a file, is appended to that file as UTF-8; it
// also goes into the run's log (run_log.h) when one is open.
void DiagnosticLine(std::u16string_view line);

// Sets (or, with an empty path, clears) the file that diagnostic lines are
// appended to, overriding the environment variable.
void SetDiagnosticFile(std::u16string path);

}  // namespace vwi
