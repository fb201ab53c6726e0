// Whether a prerequisite runtime named in the manifest is already present, so
// that its installer is neither downloaded nor run.
#pragma once

#include <string_view>

#include "platform/registry.h"

namespace vwi {

// True when the runtime that `fileName` installs is present. Names are
// compared exactly (case included); a name the probes do not know is never
// present, so its installer always runs. Keys are read in the process's own
// (64-bit) view, so those under "WOW6432Node" are the 32-bit view's.
bool IsPrerequisiteSatisfied(std::u16string_view fileName, IRegistry& registry);

// The registry locations the probes read.
namespace prerequisite_keys {
inline constexpr char16_t kWebView2Machine[] =
    u"SOFTWARE\\WOW6432Node\\Microsoft\\EdgeUpdate\\Clients\\"
    u"{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";
inline constexpr char16_t kWebView2User[] =
    u"Software\\Microsoft\\EdgeUpdate\\Clients\\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}";
inline constexpr char16_t kVcRuntime[] =
    u"SOFTWARE\\Wow6432Node\\Microsoft\\VisualStudio\\14.0\\VC\\Runtimes\\x64";
inline constexpr char16_t kBonjour[] = u"SOFTWARE\\Apple Inc.\\Bonjour";
}  // namespace prerequisite_keys

}  // namespace vwi
