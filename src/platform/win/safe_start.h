// The first thing the program does: it runs elevated from a folder that
// others can write to (usually Downloads), so nothing it loads or starts may
// be looked up there.
#pragma once

#include <string>

namespace vwi {

// Limits the library search of the whole process to the system folder and
// makes the system folder the current folder. Returns the folder that was
// current before, so that relative paths given on the command line keep
// their meaning. Call before anything loads a library.
std::u16string EnterSafeStart();

// Loads a library from the system folder and keeps it for the life of the
// process. A library's own imports are looked up along the platform's
// default order, which can still start beside the program (Wine's loader
// does); once a library of that name is loaded, an import of it resolves to
// the loaded one. Call before loading a library that imports `name`.
void KeepSystemLibrary(const wchar_t* name);

// The system folder (no trailing backslash); empty when it cannot be read.
std::u16string SystemFolder();

// `path` made absolute against `folder` when it is relative (neither a drive
// path nor a UNC path).
std::u16string AbsoluteFrom(const std::u16string& folder, const std::u16string& path);

}  // namespace vwi
