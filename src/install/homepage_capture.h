// The product's home page, as its Windows Installer package reports it in the
// property dump at the end of the installation.
#pragma once

#include <string>
#include <string_view>

namespace vwi {

// Sets `homepageUrl` from an INFO text "Property(S): InstallHomepageURL =
// address" (letters compared without regard to case, blanks around the
// address trimmed). Only the first report counts: a set home page is kept.
// Returns whether `homepageUrl` was set by this text.
bool CaptureHomepage(std::u16string& homepageUrl, std::u16string_view text);

}  // namespace vwi
