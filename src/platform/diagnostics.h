// Diagnostic lines: the debugger output and the run's log, and a file when a
// test sets one, so that tests can read what the debugger would have shown.
#pragma once

#include <string>
#include <string_view>

namespace vwi {

// Writes one diagnostic line (the caller supplies any line ending). On
// Windows it goes to OutputDebugStringW and, when a file was set, is appended
// to that file as UTF-8; it also goes into the run's log (run_log.h) when one
// is open. The shipped program never sets a file: nothing in its
// environment may choose a file that it writes to elevated.
void DiagnosticLine(std::u16string_view line);

// Sets (or, with an empty path, clears) the file that diagnostic lines are
// appended to. For tests.
void SetDiagnosticFile(std::u16string path);

}  // namespace vwi
