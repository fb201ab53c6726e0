// The platform's direct file queries, for what is read in place and never
// trusted with a decision (language files, slide pictures, the start-up
// probes). Paths use backslashes; off Windows they are turned into slashes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vwi {

// Whether a file or folder exists at `path` (PathFileExistsW).
bool FileExists(const std::u16string& path);

// Names (without folder) of the files in `folder` that match `pattern`, a
// wildcard with "*" and "?" compared without regard to case, in the order the
// platform lists them. `folder` ends in a backslash.
std::vector<std::u16string> FindFiles(const std::u16string& folder, const std::u16string& pattern);

// The whole file, or nothing when it cannot be read or is larger than `limit` bytes.
std::optional<std::string> ReadFileBytes(const std::u16string& path, size_t limit);

// Whether `name` matches the wildcard `pattern` ("*" any run, "?" one
// character), ASCII letters compared without regard to case.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name);

}  // namespace vwi
