// The command line a silent run gives the newer installer it hands over to:
// "/n" and the run's own options, so the newer copy stays unattended too.
#pragma once

#include <string>
#include <string_view>

#include "context/app_flags.h"

namespace vwi {

// One argument as the runtime's command-line split reads it back: quoted
// when empty or holding blanks or quotes, with backslashes before a quote
// (and before the closing quote) doubled.
std::u16string QuoteArgument(std::u16string_view argument);

// "/n", then "/s", "/l", "/lang" with its value and "/log" with `logPath`
// (the file this run logs to) as the flags have them.
std::u16string HandOverParameters(const AppFlags& flags, std::u16string_view logPath);

}  // namespace vwi
